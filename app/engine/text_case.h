#pragma once
// The engine's text rules. Upper-casing goes one UTF-16 unit at a time, the way
// file names compare: the invariant mapping, never the user's locale, and never
// a change of length. Trimming removes the space character only, never tabs.
#include <string>
#include <string_view>

namespace modMain {

wchar_t UpperChar(wchar_t c) noexcept;

// Same length as the text, so positions in both agree.
std::wstring UpperCase(std::wstring_view text);

std::wstring_view TrimSpaces(std::wstring_view text);

}  // namespace modMain
