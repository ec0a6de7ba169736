// A window program that does nothing else: it creates a hidden window, handles
// what waits for it and ends. Its time is what the start of any window program
// costs on the platform (under Wine: the display driver, the fonts, the desktop),
// to set beside Scourway's run on an empty folder.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    HWND window = CreateWindowExW(0, L"STATIC", L"Hidden window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  400, 300, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    DestroyWindow(window);
    return 0;
}
