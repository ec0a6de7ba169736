#pragma once
// Text for the platform's ANSI interfaces: the system's ANSI code page, with
// its best-fit characters where a character has no exact counterpart.
#include <string>

std::string ToAnsi(const std::wstring& text);
