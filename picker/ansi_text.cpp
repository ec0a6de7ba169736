#include "ansi_text.h"

#include "com_error.h"

#include <windows.h>

namespace tollen {

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) return {};
    const int wideLength = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length == 0) ThrowLastError();
    std::string ansi(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

std::wstring FromAnsi(const char* text) {
    if (!text || !*text) return {};
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length == 0) ThrowLastError();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length) - 1);  // the terminating NUL
    return wide;
}

}  // namespace tollen
