#include "text_conversion.h"

#include <windows.h>

#include "error.h"

namespace win32 {

namespace {

// False (the reason in GetLastError) when the platform refuses the conversion.
bool Narrow(UINT codePage, std::wstring_view text, std::string& narrow) {
    narrow.clear();
    if (text.empty()) return true;
    const int wideLength = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(codePage, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return false;
    narrow.resize(static_cast<size_t>(length));
    ::WideCharToMultiByte(codePage, 0, text.data(), wideLength, narrow.data(), length, nullptr, nullptr);
    return true;
}

std::string NarrowOrThrow(UINT codePage, std::wstring_view text) {
    std::string narrow;
    if (!Narrow(codePage, text, narrow)) ThrowLastError();
    return narrow;
}

}  // namespace

std::string ToAnsi(std::wstring_view text) { return NarrowOrThrow(CP_ACP, text); }

std::string Utf8(std::wstring_view text) { return NarrowOrThrow(CP_UTF8, text); }

std::string Utf8OrEmpty(std::wstring_view text) {
    std::string narrow;
    return Narrow(CP_UTF8, text, narrow) ? narrow : std::string();
}

std::wstring FromAnsi(std::string_view text) {
    if (text.empty()) return {};
    const int narrowLength = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), narrowLength, nullptr, 0);
    if (length <= 0) ThrowLastError();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), narrowLength, wide.data(), length);
    return wide;
}

}  // namespace win32
