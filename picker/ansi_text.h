// Text crossing to and from the shell's ANSI entry points, in the system's ANSI code page.
#pragma once

#include <string>

namespace tollen {

std::string ToAnsi(const std::wstring& text);
// Converts up to the first NUL character.
std::wstring FromAnsi(const char* text);

}  // namespace tollen
