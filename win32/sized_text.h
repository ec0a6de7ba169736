#pragma once
// Reading a text of unknown length from the platform, whole. When the text does
// not fit, some calls report the size they need (GetWindowsDirectoryW,
// GetFullPathNameW) and others fill the buffer and say so (GetModuleFileNameW);
// either way the call is repeated with a big enough, or twice as big, buffer.
#include <windows.h>
#include <string>

namespace win32 {

// call(buffer, size) returns the length written (less than size), or, when the
// text does not fit, the size it needs (terminator included) or size itself;
// 0 is a failure, which gives "".
template <typename Call>
std::wstring WholeText(Call call, DWORD firstSize) {
    std::wstring buffer;
    for (DWORD size = firstSize; size <= 0x10000;) {
        buffer.assign(size, L'\0');
        const DWORD result = call(buffer.data(), size);
        if (result == 0) return {};
        if (result < size) {
            buffer.resize(result);
            return buffer;
        }
        size = result > size ? result : size * 2;
    }
    return {};
}

// The full path of a loaded module (nullptr: the program), whole however long;
// "" when the platform refuses.
inline std::wstring ModulePath(HMODULE module) {
    return WholeText([module](wchar_t* buffer, DWORD size) { return ::GetModuleFileNameW(module, buffer, size); },
                     MAX_PATH);
}

}  // namespace win32
