// The main window as a user meets it: frame, controls in pixels at 96 DPI, tab
// order, access keys, Enter and Esc, and the directory field's selection.
#include <windows.h>
#include <commctrl.h>
#include "control_ids.h"
#include "exit_codes.h"
#include "main_window/message_pump.h"
#include "twips.h"
#include "window_text.h"
#include "ui_test_support.h"
#include <gmock/gmock.h>

namespace {

using Strings = std::vector<std::wstring>;

class LayoutKeyboardTest : public StatusTest {
protected:
    void SetUp() override {
        StatusTest::SetUp();
        WriteList("*.tmp\r\n*.bak\r\n");
        Form().Form_Load();
        form->Show();
    }
    RECT Place(int id) {
        RECT place{};
        GetWindowRect(form->Control(id), &place);
        MapWindowPoints(nullptr, form->Window(), reinterpret_cast<POINT*>(&place), 2);
        return place;
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

MATCHER_P4(IsRect, left, top, width, height, "") {
    return arg.left == left && arg.top == top && arg.right - arg.left == width && arg.bottom - arg.top == height;
}

TEST_F(LayoutKeyboardTest, TheFrameIsFixedCentredAndSizedFromTwips) {
    ASSERT_EQ(win32::ScreenDpi().x, 96) << "the pixel figures below are for 96 DPI";
    HWND window = form->Window();
    EXPECT_EQ(WindowText(window), L"Scourway");
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_SMALL, 0), 0);

    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 409);
    EXPECT_EQ(client.bottom, 351);
    RECT frame{};
    GetWindowRect(window, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    EXPECT_LE(std::abs((frame.left + frame.right) - (monitor.rcMonitor.left + monitor.rcMonitor.right)), 1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (monitor.rcMonitor.top + monitor.rcMonitor.bottom)), 1);
}

TEST_F(LayoutKeyboardTest, ControlsSitWhereTheLayoutPutsThem) {
    EXPECT_THAT(Place(IDC_LBL_DIR), IsRect(8, 8, 84, 13));
    EXPECT_THAT(Place(IDC_TXTDIR), IsRect(8, 24, 337, 21));
    EXPECT_THAT(Place(IDC_CMDBROWSE), IsRect(344, 24, 57, 21));
    EXPECT_THAT(Place(IDC_LBL_FILES), IsRect(8, 56, 67, 13));
    EXPECT_THAT(Place(IDC_LSTDELETE), IsRect(8, 72, 393, 238));
    EXPECT_THAT(Place(IDC_CMDADD), IsRect(8, 320, 73, 25));
    EXPECT_THAT(Place(IDC_CMDREMOVE), IsRect(88, 320, 73, 25));
    EXPECT_THAT(Place(IDC_CMDSAVE), IsRect(168, 320, 73, 25));
    EXPECT_THAT(Place(IDC_CMDPROCESS), IsRect(248, 320, 73, 25));
    EXPECT_THAT(Place(IDC_CMDCLOSE), IsRect(328, 320, 73, 25));
    EXPECT_THAT(Place(IDC_CMDABOUT), IsRect(392, 0, 17, 15));

    const std::pair<int, const wchar_t*> captions[] = {
        {IDC_LBL_DIR, L"&Starting Directory:"}, {IDC_CMDBROWSE, L"&Browse"}, {IDC_LBL_FILES, L"&Files to Delete"},
        {IDC_CMDADD, L"&Add"}, {IDC_CMDREMOVE, L"&Remove"}, {IDC_CMDSAVE, L"Save &List"},
        {IDC_CMDPROCESS, L"&Delete Files"}, {IDC_CMDCLOSE, L"&Close"}, {IDC_CMDABOUT, L"?"}};
    for (const auto& [id, caption] : captions) EXPECT_EQ(DialogItemText(form->Window(), id), caption);

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

TEST_F(LayoutKeyboardTest, TabVisitsTheControlsInOrderAndSkipsTheLabels) {
    ASSERT_EQ(FocusId(), IDC_TXTDIR);
    std::vector<int> order;
    for (int i = 0; i < 9; ++i) {
        Press(VK_TAB);
        order.push_back(FocusId());
    }
    EXPECT_EQ(order, (std::vector<int>{IDC_CMDBROWSE, IDC_LSTDELETE, IDC_CMDADD, IDC_CMDREMOVE, IDC_CMDSAVE,
                                       IDC_CMDPROCESS, IDC_CMDCLOSE, IDC_CMDABOUT, IDC_TXTDIR}));
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

TEST_F(LayoutKeyboardTest, LabelAccessKeysMoveToTheFieldAfterThem) {
    Key(WM_SYSCHAR, 'f', true);
    EXPECT_EQ(FocusId(), IDC_LSTDELETE);
    Key(WM_SYSCHAR, 's', true);
    EXPECT_EQ(FocusId(), IDC_TXTDIR);
    EXPECT_EQ(DirSelection(), std::make_pair(DWORD{0}, static_cast<DWORD>(form->DirText().size())));
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
