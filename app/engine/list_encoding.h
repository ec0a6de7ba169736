#pragma once
// The list file's bytes and its text: a byte-order mark at the start says UTF-8
// or UTF-16 (little or big end first); without one the bytes are ANSI.
#include <windows.h>
#include <string>
#include <string_view>
#include "pattern_list.h"

namespace modMain {

struct ListText {
    std::wstring text;
    ListEncoding encoding = ListEncoding::Ansi;
};

// The text after the mark, and the encoding it was in. Throws win32::Error.
ListText DecodeListText(std::string_view bytes, UINT ansiCodePage);

// The mark that starts a file in this encoding ("" for ANSI).
std::string ByteOrderMark(ListEncoding encoding);

// Text in the encoding, refused (ERROR_NO_UNICODE_TRANSLATION, about the text)
// when a character has no exact counterpart there. Throws win32::Error.
std::string EncodeListText(std::wstring_view text, ListEncoding encoding, UINT ansiCodePage);

}  // namespace modMain
