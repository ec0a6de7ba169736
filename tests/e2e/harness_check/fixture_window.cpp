// A tiny window that the harness checks itself against: a few standard controls, a default
// and a cancel command handled the way a dialog manager handles them, and two message boxes.
// It writes its command line to standard output and shows what it was asked in its caption.
#include <windows.h>

#include <string>

#include "fixture_ids.h"

namespace {

HWND g_main;

void WriteOut(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), n, nullptr, nullptr);
    bytes.back() = '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &written, nullptr);
}

HWND Add(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y,
         int w, int h) {
    HWND child = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    return child;
}

void Create(HWND hwnd) {
    Add(hwnd, L"Static", L"&Name:", 0, kFixtureNameLabel, 8, 8, 60, 13);
    HWND edit = Add(hwnd, L"Edit", L"abc", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kFixtureEdit,
                    8, 24, 200, 21);
    Add(hwnd, L"Static", L"&Rows", 0, kFixtureRowsLabel, 8, 50, 60, 13);
    HWND list = Add(hwnd, L"ListBox", L"", WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY |
                                               LBS_NOINTEGRALHEIGHT,
                    kFixtureList, 8, 66, 200, 80);
    const wchar_t* rows[] = {L"one", L"two", L"three"};
    for (int i = 0; i < 3; ++i) {
        auto at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rows[i]));
        SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), (i + 1) * 10);
    }
    Add(hwnd, L"Button", L"&Ask", WS_TABSTOP | BS_DEFPUSHBUTTON, kFixtureAsk, 8, 160, 70, 25);
    Add(hwnd, L"Button", L"&Tell", WS_TABSTOP, kFixtureTell, 88, 160, 70, 25);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

void Command(HWND hwnd, int id, int code) {
    if (id == kFixtureAsk && code == BN_CLICKED) {
        int answer = MessageBoxW(hwnd, L"Proceed?", L"Fixture question",
                                 MB_YESNO | MB_ICONQUESTION);
        SetWindowTextW(hwnd, answer == IDYES ? L"Fixture - yes" : L"Fixture - no");
    } else if (id == kFixtureTell && code == BN_CLICKED) {
        MessageBoxW(hwnd, L"Done.", L"Fixture note", MB_OK | MB_ICONINFORMATION);
        SetWindowTextW(hwnd, L"Fixture - told");
    } else if (id == kFixtureList && code == LBN_DBLCLK) {
        auto row = SendMessageW(GetDlgItem(hwnd, kFixtureList), LB_GETCURSEL, 0, 0);
        SetWindowTextW(hwnd, (L"Fixture - double-click " + std::to_wstring(row)).c_str());
    } else if (id == IDCANCEL) {
        PostQuitMessage(3);
    }
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: Create(hwnd); return 0;
    case WM_COMMAND: Command(hwnd, LOWORD(wp), HIWORD(wp)); return 0;
    case DM_GETDEFID: return MAKELONG(kFixtureAsk, DC_HASDEFID);
    case WM_NEXTDLGCTL:  // what the dialog manager sends for a label's access key
        SetFocus(LOWORD(lp) ? reinterpret_cast<HWND>(wp)
                            : GetNextDlgTabItem(hwnd, GetFocus(), wp != 0));
        return 0;
    case WM_DESTROY: PostQuitMessage(4); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WriteOut(GetCommandLineW());
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"E2eFixture";
    RegisterClassW(&wc);
    RECT r{0, 0, 300, 200};
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRect(&r, style, FALSE);
    g_main = CreateWindowExW(0, wc.lpszClassName, L"Fixture", style, 100, 100, r.right - r.left,
                             r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    ShowWindow(g_main, SW_SHOWNORMAL);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(g_main, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
