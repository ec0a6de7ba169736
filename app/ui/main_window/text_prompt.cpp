#include "main_window/text_prompt.h"
#include <algorithm>
#include "control_ids.h"
#include "resource_ids.h"
#include "child_controls.h"
#include "window_base.h"
#include "error.h"
#include "window_text.h"
#include "window_placement.h"

namespace {

// The prompt's client area and controls in twips (at 96 DPI the pixels of the
// template's dialog units in its 8-point font), placed at the screen's DPI so the
// prompt keeps its proportions whatever the font's metrics there.
constexpr int kPromptWidth = 5400;
constexpr int kPromptHeight = 1905;
struct PromptControl {
    int id;
    win32::TwipsRect place;
};
constexpr PromptControl kPromptControls[] = {
    {IDC_PROMPT_LABEL, {165, 165, 3825, 1080}},
    {IDOK, {4125, 165, 1125, 345}},
    {IDCANCEL, {4125, 615, 1125, 345}},
    {IDC_PROMPT_EDIT, {165, 1395, 5085, 315}},
};

void PlaceFromTwips(HWND dialog) {
    const win32::Dpi dpi = win32::ScreenDpi();
    win32::SetClientSizeInTwips(dialog, kPromptWidth, kPromptHeight, dpi);
    for (const PromptControl& control : kPromptControls)
        win32::PlaceChildControl(dialog, control.id, control.place, dpi);
}

class TextPrompt : public win32::BaseWindow<TextPrompt> {
public:
    TextPrompt(const std::wstring& title, const std::wstring& prompt, const std::wstring& initial)
        : title_(title), prompt_(prompt), initial_(initial) {}

    std::wstring Run(HWND owner) {
        const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PROMPT), owner,
                                               DialogProc, reinterpret_cast<LPARAM>(this));
        if (result == -1) win32::ThrowLastError();
        return result == IDOK ? answer_ : std::wstring();
    }

private:
    friend class win32::BaseWindow<TextPrompt>;

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM) {
        switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return FALSE;   // the focus is set
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                OK_Click();
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {   // Cancel, Esc and the close box
                EndDialog(hwnd_, IDCANCEL);
                return TRUE;
            }
            break;
        }
        return FALSE;
    }

    void OnInitDialog() {
        SetWindowTextW(hwnd_, title_.c_str());
        SetDlgItemTextW(hwnd_, IDC_PROMPT_LABEL, prompt_.c_str());
        HWND field = GetDlgItem(hwnd_, IDC_PROMPT_EDIT);
        SetWindowTextW(field, initial_.c_str());
        PlaceFromTwips(hwnd_);
        win32::CentreWindowOn(hwnd_, GetWindow(hwnd_, GW_OWNER));
        SetFocus(field);
        SendMessageW(field, EM_SETSEL, 0, -1);
    }

    void OK_Click() {
        answer_ = win32::DialogItemText(hwnd_, IDC_PROMPT_EDIT);
        EndDialog(hwnd_, IDOK);
    }

    const std::wstring& title_;
    const std::wstring& prompt_;
    const std::wstring& initial_;
    std::wstring answer_;
};

}  // namespace

std::wstring ShowTextPrompt(HWND owner, const std::wstring& title, const std::wstring& prompt,
                            const std::wstring& initial) {
    return TextPrompt(title, prompt, initial).Run(owner);
}
