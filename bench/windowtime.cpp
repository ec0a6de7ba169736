// How long a program takes to show its main window: starts the command line
// given, waits until the process has a visible top-level window of the class
// given, prints the seconds since the start, then closes that window and waits
// for the process to end.
//   windowtime <window class> <program> [arguments...]
#include <windows.h>
#include <cstdio>
#include <string>

namespace {

struct Search {
    DWORD process;
    const wchar_t* windowClass;
    HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM context) {
    Search& search = *reinterpret_cast<Search*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (process != search.process || !IsWindowVisible(window) || wcscmp(name, search.windowClass) != 0) return TRUE;
    search.found = window;
    return FALSE;
}

std::wstring Quoted(const wchar_t* argument) { return L"\"" + std::wstring(argument) + L"\""; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        fwprintf(stderr, L"usage: windowtime <window class> <program> [arguments...]\n");
        return 2;
    }
    std::wstring commandLine = Quoted(argv[2]);
    for (int i = 3; i < argc; ++i) commandLine += L" " + Quoted(argv[i]);
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        fwprintf(stderr, L"CreateProcess failed: %lu\n", GetLastError());
        return 1;
    }
    Search search{process.dwProcessId, argv[1], nullptr};
    while (!search.found) {
        if (WaitForSingleObject(process.hProcess, 5) == WAIT_OBJECT_0) {
            fwprintf(stderr, L"the program ended without showing its window\n");
            return 1;
        }
        EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    }
    QueryPerformanceCounter(&now);
    wprintf(L"%.3f\n", static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    PostMessageW(search.found, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
