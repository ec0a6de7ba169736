#include "text_conversion.h"

#include <windows.h>

#include <system_error>

namespace win32 {

namespace {

[[noreturn]] void ThrowLastError(const char* what) {
    throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(), what);
}

std::string Narrow(UINT codePage, std::wstring_view text) {
    if (text.empty()) return {};
    const int wideLength = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(codePage, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) ThrowLastError("WideCharToMultiByte");
    std::string narrow(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), wideLength, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

}  // namespace

std::string ToAnsi(std::wstring_view text) { return Narrow(CP_ACP, text); }

std::string Utf8(std::wstring_view text) { return Narrow(CP_UTF8, text); }

std::wstring FromAnsi(std::string_view text) {
    if (text.empty()) return {};
    const int narrowLength = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), narrowLength, nullptr, 0);
    if (length <= 0) ThrowLastError("MultiByteToWideChar");
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), narrowLength, wide.data(), length);
    return wide;
}

}  // namespace win32
