#pragma once
// The forms of one directory or file path: the full path the user sees, and the
// \\?\ form the file APIs are given so that paths of any length work.
#include <string>

namespace modMain {

// GetFullPathNameW of the path, whole however long. Throws win32::Error naming the path.
std::wstring FullPath(const std::wstring& path);

// A full path in \\?\ form (\\server\share becomes \\?\UNC\server\share);
// no trailing "\" except after a drive ("\\?\C:\").
std::wstring ExtendedPath(const std::wstring& fullPath);

// A full path as shown to the user: no \\?\ prefix, no trailing "\" except a drive root.
std::wstring DisplayPath(const std::wstring& fullPath);

// Any path a caller gives, ready for the wide file APIs.
std::wstring PathForFileApi(const std::wstring& path);

}  // namespace modMain
