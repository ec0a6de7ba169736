#pragma once
// Path text the program works with: the Windows directory, the program's own
// folder, a path's folder part and its trailing separator.
#include <string>

namespace modMain {

// The Windows directory as the platform reports it, whole however long; "" on failure.
std::wstring GetWindowsDir();

// The path with one "\" appended unless its last character already is one ("" gives "\").
std::wstring AddSlash(const std::wstring& path);

// The folder that holds the running executable; no trailing "\" except a drive root.
std::wstring ProgramDirectory();

// The folder part of a file's path, by the same rule ("" when it has none).
std::wstring ParentDirectory(const std::wstring& path);

}  // namespace modMain
