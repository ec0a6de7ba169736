#pragma once
// Text between UTF-16 and the byte encodings the platform's other interfaces use.
// A character the target has no exact counterpart for becomes the code page's
// best fit; win32::Error only when the platform refuses the call outright.
#include <string>
#include <string_view>

namespace win32 {

// The system's ANSI code page, for the platform's and the shell's ANSI entry points.
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view text);

// UTF-8, as exceptions carry their text in what(): no name is lost to a code page.
std::string Utf8(std::wstring_view text);
// The same, "" where the platform refuses: for the text of an Error itself.
std::string Utf8OrEmpty(std::wstring_view text);

}  // namespace win32
