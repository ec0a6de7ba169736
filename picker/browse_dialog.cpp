#include "browse_dialog.h"
#include "com_owners.h"

#include "text_conversion.h"
#include "picker_state.h"

namespace tollen::Module1 {
namespace {
constexpr size_t TitlePadding = 255;
constexpr size_t PathBufferBytes = 512;  // more than MAX_PATH, which the shell writes at most

// The prompt followed by 255 spaces.
std::wstring BrowseTitle(const std::wstring& prompt) { return prompt + std::wstring(TitlePadding, L' '); }
}  // namespace

std::wstring InitialSelectionText(const std::wstring& initial) {
    const bool onlySpaces = initial.find_first_not_of(L' ') == std::wstring::npos;
    return onlySpaces ? std::wstring(L" ") : initial;
}

void SelectInitialFolder(HWND dialog, InitialSelection& selection) {
    const auto path = reinterpret_cast<LPARAM>(selection.path);
    selection.selectionReported = false;
    ::SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, path);
    // A selection is reported from within the request, or not at all.
    if (!selection.selectionReported) ::SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, path);
}

int CALLBACK BrowseCallbackProc(HWND dialog, UINT message, LPARAM, LPARAM applicationValue) {
    auto& selection = *reinterpret_cast<InitialSelection*>(applicationValue);
    if (message == BFFM_INITIALIZED) SelectInitialFolder(dialog, selection);
    if (message == BFFM_SELCHANGED) selection.selectionReported = true;
    return 0;
}

BFFCALLBACK CallbackAddress(BFFCALLBACK address) noexcept { return address; }

bool BrowseForDirectory(HWND owner) {
    PickerState& state = ThreadPickerState();
    // The texts and the selection record stay alive until the shell has returned.
    const std::string title = win32::ToAnsi(BrowseTitle(state.Prompt));
    const std::string initialPath = win32::ToAnsi(InitialSelectionText(state.Initial));
    InitialSelection initialSelection{initialPath.c_str()};

    BROWSEINFOA record{};
    record.hwndOwner = owner;
    record.pidlRoot = nullptr;
    record.pszDisplayName = nullptr;
    record.lpszTitle = title.c_str();
    record.ulFlags = BIF_RETURNONLYFSDIRS;
    record.lpfn = CallbackAddress(&BrowseCallbackProc);
    record.lParam = reinterpret_cast<LPARAM>(&initialSelection);

    const win32::CoTaskMem<ITEMIDLIST_ABSOLUTE> item(::SHBrowseForFolderA(&record));
    if (!item) {
        state.Canceled = true;
        return false;
    }
    char path[PathBufferBytes] = {};
    // An item without a file-system path leaves the buffer empty: Selected becomes "".
    ::SHGetPathFromIDListA(item.get(), path);
    state.Selected = win32::FromAnsi(path);
    state.Canceled = false;
    return true;
}

}  // namespace tollen::Module1
