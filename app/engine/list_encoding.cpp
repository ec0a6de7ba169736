#include "list_encoding.h"

#include <cstdint>
#include "error.h"

namespace modMain {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

bool StartsWith(std::string_view bytes, std::string_view start) { return bytes.substr(0, start.size()) == start; }

std::wstring Widen(std::string_view bytes, UINT codePage) {
    if (bytes.empty()) return {};
    const int size = ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (size == 0) win32::ThrowLastError();
    std::wstring text(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

// UTF-16 units as they stand, unpaired surrogates included, so that a save
// writes back what was read; an odd last byte is no unit and is dropped.
std::wstring FromUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring text;
    text.reserve(bytes.size() / 2);
    for (size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const auto first = static_cast<uint8_t>(bytes[at]);
        const auto second = static_cast<uint8_t>(bytes[at + 1]);
        text += static_cast<wchar_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return text;
}

std::string ToUtf16(std::wstring_view text, bool bigEndian) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const wchar_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>((unit >> 8) & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

// Refused when a character has no exact counterpart in the code page: a "?"
// in its place would widen a pattern.
std::string Narrow(std::wstring_view text, UINT codePage) {
    if (text.empty()) return {};
    const UINT page = codePage == CP_ACP ? ::GetACP() : codePage;
    const bool utf = page == CP_UTF8 || page == CP_UTF7;
    const DWORD flags = page == CP_UTF8 ? WC_ERR_INVALID_CHARS : utf ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf ? nullptr : &usedDefault;
    const int length = static_cast<int>(text.size());
    const int size = ::WideCharToMultiByte(page, flags, text.data(), length, nullptr, 0, nullptr, usedDefaultOut);
    if (size == 0) {
        const DWORD code = ::GetLastError();
        throw win32::Error::FromWin32(code == ERROR_SUCCESS ? ERROR_NO_UNICODE_TRANSLATION : code, std::wstring(text));
    }
    if (usedDefault) throw win32::Error::FromWin32(ERROR_NO_UNICODE_TRANSLATION, std::wstring(text));
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(page, flags, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

}  // namespace

ListText DecodeListText(std::string_view bytes, UINT ansiCodePage) {
    if (StartsWith(bytes, kUtf8Mark)) return {Widen(bytes.substr(kUtf8Mark.size()), CP_UTF8), ListEncoding::Utf8};
    if (StartsWith(bytes, kUtf16LEMark))
        return {FromUtf16(bytes.substr(kUtf16LEMark.size()), false), ListEncoding::Utf16LE};
    if (StartsWith(bytes, kUtf16BEMark))
        return {FromUtf16(bytes.substr(kUtf16BEMark.size()), true), ListEncoding::Utf16BE};
    return {Widen(bytes, ansiCodePage), ListEncoding::Ansi};
}

std::string ByteOrderMark(ListEncoding encoding) {
    switch (encoding) {
    case ListEncoding::Utf8: return std::string(kUtf8Mark);
    case ListEncoding::Utf16LE: return std::string(kUtf16LEMark);
    case ListEncoding::Utf16BE: return std::string(kUtf16BEMark);
    case ListEncoding::Ansi: break;
    }
    return {};
}

std::string EncodeListText(std::wstring_view text, ListEncoding encoding, UINT ansiCodePage) {
    switch (encoding) {
    case ListEncoding::Utf8: return Narrow(text, CP_UTF8);
    case ListEncoding::Utf16LE: return ToUtf16(text, false);
    case ListEncoding::Utf16BE: return ToUtf16(text, true);
    case ListEncoding::Ansi: break;
    }
    return Narrow(text, ansiCodePage);
}

}  // namespace modMain
