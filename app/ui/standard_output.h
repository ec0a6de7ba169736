#pragma once
// One line to the process's standard output or error, when it has one (a console
// or a redirection); a program started without them writes nothing.
#include <windows.h>
#include <string>

// A console gets the text as it is (WriteConsoleW); a file or pipe gets UTF-8.
// The line ends with CR LF. False when there is no such handle or writing failed.
bool WriteStandardLine(DWORD whichHandle, const std::wstring& text);
