#pragma once
// Reading a text of unknown length from the platform, whole. Two calling
// conventions exist: calls that report the size they need when the buffer is
// too small (GetWindowsDirectoryW, GetFullPathNameW), and calls that fill the
// buffer and say so (GetModuleFileNameW). Both retry with a bigger buffer.
#include <windows.h>
#include <string>

namespace modMain {

// call(buffer, size) returns the length written, or the size needed
// (terminator included) when it exceeds size, or 0 on failure ("").
template <typename Call>
std::wstring TextOfNeededSize(Call call, DWORD firstSize) {
    std::wstring buffer;
    DWORD size = firstSize;
    for (int attempt = 0; attempt < 8; ++attempt) {
        buffer.assign(size, L'\0');
        const DWORD result = call(buffer.data(), size);
        if (result == 0) return {};
        if (result < size) {
            buffer.resize(result);
            return buffer;
        }
        size = result + 1;
    }
    return {};
}

// call(buffer, size) returns the length written; a result of size means the
// text was cut; 0 is a failure ("").
template <typename Call>
std::wstring TextOfTruncatingCall(Call call, DWORD firstSize) {
    std::wstring buffer;
    for (DWORD size = firstSize; size <= 0x10000; size *= 2) {
        buffer.assign(size, L'\0');
        const DWORD result = call(buffer.data(), size);
        if (result == 0) return {};
        if (result < size) {
            buffer.resize(result);
            return buffer;
        }
    }
    return {};
}

}  // namespace modMain
