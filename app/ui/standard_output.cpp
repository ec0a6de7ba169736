#include "standard_output.h"

bool WriteStandardLine(DWORD whichHandle, const std::wstring& text) {
    HANDLE out = GetStdHandle(whichHandle);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return false;
    const std::wstring line = text + L"\r\n";

    DWORD mode = 0;
    if (GetConsoleMode(out, &mode)) {
        DWORD written = 0;
        return WriteConsoleW(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) != 0;
    }
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()),
                                          nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return false;
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), utf8.data(), bytes,
                        nullptr, nullptr);
    DWORD written = 0;
    return WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) != 0 &&
           written == utf8.size();
}
