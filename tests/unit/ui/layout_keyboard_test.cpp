// The main window as a user meets it: fonts, icons, Enter, Esc and button access
// keys, and the directory field's selection.
#include <windows.h>
#include <commctrl.h>
#include "control_ids.h"
#include "exit_codes.h"
#include "main_window/message_pump.h"
#include "ui_test_support.h"
#include <gmock/gmock.h>

namespace {

class LayoutKeyboardTest : public StatusTest {
protected:
    void SetUp() override {
        StatusTest::SetUp();
        WriteList("*.tmp\r\n*.bak\r\n");
        Form().Form_Load();
        form->Show();
    }
    // A key as the message loop would see it, offered to the dialog manager first.
    void Key(UINT message, WPARAM key, bool alt = false) {
        MSG msg{GetFocus() ? GetFocus() : form->Window(), message, key, alt ? (1 << 29) : 0, 0, {}};
        RouteMessage(form->Window(), msg);
    }
    void Press(WPARAM key) {
        Key(WM_KEYDOWN, key);
        Key(WM_KEYUP, key);
    }
    int FocusId() { return GetDlgCtrlID(GetFocus()); }
    std::pair<DWORD, DWORD> DirSelection() {
        DWORD start = 0, end = 0;
        SendMessageW(form->Control(IDC_TXTDIR), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
};

// Places, captions and tab order are checked on the real program; what only the
// process itself can read is checked here: the fonts, the icons and the list's style.
TEST_F(LayoutKeyboardTest, ControlsTakeTheFormFontsAndTheWindowItsIcons) {
    HWND window = form->Window();
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_SMALL, 0), 0);

    LOGFONTW regular{}, bold{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form->Control(IDC_CMDADD), WM_GETFONT, 0, 0)), sizeof regular, &regular);
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form->Control(IDC_CMDABOUT), WM_GETFONT, 0, 0)), sizeof bold, &bold);
    EXPECT_STREQ(regular.lfFaceName, L"MS Sans Serif");
    EXPECT_EQ(regular.lfHeight, -11);
    EXPECT_EQ(regular.lfWeight, FW_NORMAL);
    EXPECT_EQ(bold.lfWeight, FW_BOLD);

    const LONG list = GetWindowLongW(form->Control(IDC_LSTDELETE), GWL_STYLE);
    EXPECT_FALSE(list & (LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL));
    EXPECT_TRUE(list & LBS_NOTIFY);
}

TEST_F(LayoutKeyboardTest, TheTooltipOfTheAboutButton) {
    HWND tip = nullptr;
    for (HWND w = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); w;
         w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr))
        if (GetWindow(w, GW_OWNER) == form->Window()) tip = w;
    ASSERT_NE(tip, nullptr);
    wchar_t text[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = form->Window();
    tool.uId = reinterpret_cast<UINT_PTR>(form->Control(IDC_CMDABOUT));
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"Click on me...");
}

TEST_F(LayoutKeyboardTest, EnterStartsTheRunAndAButtonAccessKeyPressesIt) {
    dialogs.answers = {IDNO};
    Press(VK_RETURN);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].title, L"Confirm Delete");

    dialogs.typed = {L""};
    Key(WM_SYSCHAR, 'a', true);
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[1].title, L"Add File to Delete");

    // Enter on a focused button presses that button.
    SendMessageW(form->Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(form->Control(IDC_CMDADD)), TRUE);
    dialogs.typed = {L""};
    Press(VK_RETURN);
    ASSERT_EQ(dialogs.calls.size(), 3u);
    EXPECT_EQ(dialogs.calls[2].title, L"Add File to Delete");

    // Without Alt a letter is no access key, not even on a button.
    Key(WM_CHAR, 'd');
    EXPECT_EQ(dialogs.calls.size(), 3u);
}

TEST_F(LayoutKeyboardTest, EscEndsTheProgramUnlessCloseIsLocked) {
    EnableWindow(form->Control(IDC_CMDCLOSE), FALSE);   // as during a run
    Press(VK_ESCAPE);
    EXPECT_FALSE(form->Ended());
    EnableWindow(form->Control(IDC_CMDCLOSE), TRUE);
    Press(VK_ESCAPE);
    EXPECT_TRUE(form->Ended());
    EXPECT_EQ(form->ExitCode(), kExitOk);
}

TEST_F(LayoutKeyboardTest, TheDirectoryFieldSelectsAllWheneverTheFocusArrives) {
    HWND field = form->Control(IDC_TXTDIR);
    SetFocus(form->Control(IDC_LSTDELETE));
    SendMessageW(field, EM_SETSEL, 2, 2);
    SetFocus(field);
    EXPECT_EQ(DirSelection(), std::make_pair(DWORD{0}, static_cast<DWORD>(form->DirText().size())));

    // A click that brings the focus keeps the whole text selected.
    SetFocus(form->Control(IDC_LSTDELETE));
    SendMessageW(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 8));
    SendMessageW(field, WM_LBUTTONUP, 0, MAKELPARAM(20, 8));
    EXPECT_EQ(GetFocus(), field);
    EXPECT_EQ(DirSelection(), std::make_pair(DWORD{0}, static_cast<DWORD>(form->DirText().size())));

    // A click in the field that already has the focus places the caret as usual.
    SendMessageW(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 8));
    SendMessageW(field, WM_LBUTTONUP, 0, MAKELPARAM(20, 8));
    const auto [start, end] = DirSelection();
    EXPECT_EQ(start, end);
}

}  // namespace
