#pragma once
// Command-line switches (/AUTO, /QUIET, /MIN, /DIR value) and path text helpers.
// The command line is read afresh on every call; nothing is cached.
#include <string>
#include <string_view>

namespace modMain {

// The Windows directory as the platform reports it, whole however long; "" on failure.
std::wstring GetWindowsDir();

// The path with one "\" appended unless its last character already is one ("" gives "\").
std::wstring AddSlash(const std::wstring& path);

// Whether "/" + name occurs in this process's argument text (case-insensitive
// substring) outside the DIR value: a folder named "autosave" is no /AUTO.
bool HasSwitch(const std::wstring& name);

// The text after "/" + name and one separator character, up to the next " /".
std::wstring GetSwitchValue(const std::wstring& name);

// This process's argument text: its command line after the program's name.
std::wstring CommandLineArguments();

// The same rules over a given text, for callers and tests that hold one.
std::wstring ArgumentsOf(std::wstring_view fullCommandLine);
bool HasSwitchIn(std::wstring_view arguments, std::wstring_view name);
std::wstring SwitchValueIn(std::wstring_view arguments, std::wstring_view name);

// The folder that holds the running executable; no trailing "\" except a drive root.
std::wstring ProgramDirectory();

// The folder part of a file's path, by the same rule ("" when it has none).
std::wstring ParentDirectory(const std::wstring& path);

}  // namespace modMain
