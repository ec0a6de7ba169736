// The Browse button with the shell's real folder dialog: the field's text is the
// dialog's start, from a process's first browse on; OK brings the chosen directory
// back with one trailing "\", Cancel leaves the field alone. And a start without
// the control library.
#include <windows.h>
#include <commctrl.h>

#include <cwctype>
#include <optional>
#include <string>
#include <vector>

#include "folder_times.h"
#include "scourway_test.h"

namespace e2e {
namespace {

constexpr wchar_t kPrompt[] = L"Choose the directory to start deleting files from:";

// The shell's folder dialog: a #32770 of the program, owned by its main window.
Window WaitForFolderDialog(const ProgramProcess& program, const MainWindow& main) {
    return program.WaitForWindow(
        [&](const Window& w) {
            return w.ClassName() == L"#32770" && w.Visible() &&
                   GetWindow(w.handle(), GW_OWNER) == main.handle();
        },
        "the folder dialog owned by the main window");
}

struct ChildSearch {
    std::wstring start;
    std::optional<std::wstring> found;
};

BOOL CALLBACK MatchChildText(HWND child, LPARAM context) {
    auto& search = *reinterpret_cast<ChildSearch*>(context);
    std::wstring text = Window(child).Text();
    if (text.rfind(search.start, 0) != 0) return TRUE;
    search.found = text;
    return FALSE;
}

// The text of the first child of the dialog whose text begins with `start`.
std::optional<std::wstring> ChildTextStartingWith(const Window& dialog, const std::wstring& start) {
    ChildSearch search{start, std::nullopt};
    EnumChildWindows(dialog.handle(), MatchChildText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The text of the folder tree's selected item. The tree lives in the program's
// process, so the item record is read and written in that process's memory.
std::wstring SelectedFolderName(const Window& dialog) {
    HWND tree = FindWindowExW(dialog.handle(), nullptr, L"SysTreeView32", nullptr);
    if (!tree) return {};
    auto item = static_cast<HTREEITEM>(reinterpret_cast<void*>(
        Window(tree).Send(TVM_GETNEXTITEM, TVGN_CARET, 0)));
    if (!item) return {};
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                 dialog.ProcessId());
    if (!process) Fail("opening the program's process", true);
    struct Remote {
        TVITEMW item;
        wchar_t text[MAX_PATH];
    };
    auto* remote = static_cast<Remote*>(
        VirtualAllocEx(process, nullptr, sizeof(Remote), MEM_COMMIT, PAGE_READWRITE));
    Remote local{};
    local.item.mask = TVIF_TEXT;
    local.item.hItem = item;
    local.item.pszText = remote->text;
    local.item.cchTextMax = MAX_PATH;
    WriteProcessMemory(process, remote, &local, sizeof local, nullptr);
    Window(tree).Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&remote->item));
    ReadProcessMemory(process, remote, &local, sizeof local, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    local.text[MAX_PATH - 1] = L'\0';
    return local.text;
}

class Browse : public ScourwayTest {
protected:
    MainWindow main;

    void SetUp() override {
        folder.WriteList("*.tmp\r\n");
        for (const wchar_t* dir : {L"pick\\Start Here", L"first", L"second"}) folder.MakeDir(dir);
        main = StartShown();
        // As folders a user types: last read a while ago and changed since, so that
        // their next read, the dialog's own, moves their last-access time. (Done
        // after the start, which writes its output file into the root.)
        for (const wchar_t* dir : {L"", L"pick", L"pick\\Start Here", L"first", L"second"})
            if (const DWORD error = test_support::SetLastReadAnHourAgo(folder.PathOf(dir))) {
                SetLastError(error);
                Fail("setting the last-access time of " + Utf8(folder.PathOf(dir)), true);
            }
    }

    // Types `text` into the field, presses Browse and returns the open dialog.
    Window OpenDialogFrom(const std::wstring& text) {
        main.txtDir().SetText(text);
        main.cmdBrowse().Click();
        Window dialog = WaitForFolderDialog(*program, main);
        EXPECT_FALSE(main.Enabled()) << "the dialog is modal over the main window";
        return dialog;
    }

    // The same, for a dialog that must start on the folder whose tree item is
    // named `selected`, the first time.
    Window OpenDialogOn(const std::wstring& text, const std::wstring& selected) {
        Window dialog = OpenDialogFrom(text);
        EXPECT_NE(SelectedFolderName(dialog).find(selected), std::wstring::npos)
            << "the dialog from " << Utf8(text) << " started on \""
            << Utf8(SelectedFolderName(dialog)) << "\", not on " << Utf8(selected);
        return dialog;
    }

    // Presses OK (IDOK) or Cancel (IDCANCEL) and waits until the dialog is gone and
    // the main window takes input again.
    void Close(const Window& dialog, int button) {
        dialog.Post(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                    reinterpret_cast<LPARAM>(GetDlgItem(dialog.handle(), button)));
        program->WaitUntil([&] { return !dialog.Exists() || !dialog.Visible(); },
                           "the folder dialog to close");
        program->WaitUntil([&] { return main.Enabled(); }, "the main window to be enabled again");
        main.Settle();
    }

    // Browses from `start`, a dialog that starts on `selected`, and presses `button`.
    std::wstring BrowseAndPress(const std::wstring& start, const std::wstring& selected, int button) {
        Close(OpenDialogOn(start, selected), button);
        return main.txtDir().Text();
    }
};

TEST_F(Browse, TheDialogShowsThePromptAndOkReturnsTheTypedDirectoryWithOneSlash) {
    const std::wstring typed = folder.PathOf(L"pick\\Start Here");

    Window dialog = OpenDialogOn(typed, L"Start Here");
    auto prompt = ChildTextStartingWith(dialog, kPrompt);
    ASSERT_TRUE(prompt) << "no line of the dialog shows the prompt";
    EXPECT_EQ(prompt->find_first_not_of(L' ', wcslen(kPrompt)), std::wstring::npos)
        << "only blanks may follow the prompt";
    Close(dialog, IDOK);

    EXPECT_EQ(main.txtDir().Text(), typed + L"\\");
    EXPECT_EQ(main.Caption(), L"Scourway");
}

TEST_F(Browse, ADriveRootComesBackUnchanged) {
    EXPECT_EQ(BrowseAndPress(L"C:\\", L"C:", IDOK), L"C:\\");
}

TEST_F(Browse, CancelKeepsTheFieldsCurrentTextNotTheEarlierChoice) {
    const std::wstring first = folder.PathOf(L"first");
    const std::wstring second = folder.PathOf(L"second");
    ASSERT_EQ(BrowseAndPress(first, L"first", IDCANCEL), first);  // the process's first browse
    ASSERT_EQ(BrowseAndPress(first, L"first", IDOK), first + L"\\");

    // Typed by hand, without the slash: the dialog starts on it, not on the
    // earlier choice; Cancel keeps it exactly as typed, OK adds the one slash.
    EXPECT_EQ(BrowseAndPress(second, L"second", IDCANCEL), second);
    EXPECT_EQ(BrowseAndPress(second, L"second", IDOK), second + L"\\");
}

// Tollen.ocx unregistered for this one test, registered again afterwards.
class WithoutControlLibrary : public ScourwayTest {
protected:
    static void RunRegsvr32(const wchar_t* option) {
        std::wstring line = std::wstring(L"regsvr32 /s ") + option + L" \"" +
                            WindowsPathOf(TOLLEN_OCX_HOST_PATH) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &info))
            Fail("starting " + Utf8(line), true);
        WaitForSingleObject(info.hProcess, kWaitMs);
        DWORD code = 1;
        GetExitCodeProcess(info.hProcess, &code);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
        if (code != 0) Fail(Utf8(line) + " ended with exit code " + std::to_string(code));
    }

    void SetUp() override {
        folder.WriteList("*.tmp\r\n");
        RunRegsvr32(L"/u");
    }
    void TearDown() override {
        program.reset();
        RunRegsvr32(L"");
    }
};

TEST_F(WithoutControlLibrary, StartUpStopsWithTheReasonAndNoWindow) {
    Start();
    MessageBoxView box = program->WaitForMessageBox();
    EXPECT_EQ(box.Title(), L"Scourway");
    EXPECT_EQ(box.Buttons(), std::vector<int>{IDOK});
    const std::wstring lead = L"The folder picker could not be created.\n\n";
    const std::wstring text = WithPlainLineBreaks(box.Text());
    ASSERT_EQ(text.rfind(lead, 0), 0u) << Utf8(text);
    EXPECT_GT(text.size(), lead.size()) << "the reason is missing";

    // The reason is the system's own text for the failure, where it has one.
    wchar_t reason[512] = {};
    if (FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(CO_E_CLASSSTRING), 0, reason, 512, nullptr)) {
        std::wstring expected = reason;
        while (!expected.empty() && std::iswspace(expected.back())) expected.pop_back();
        EXPECT_EQ(text.substr(lead.size()), expected);
    }
    EXPECT_FALSE(MainWindowVisible());
    box.Answer(IDOK);
    EXPECT_NE(WaitForExitUnseen(), 0u);
}

}  // namespace
}  // namespace e2e
