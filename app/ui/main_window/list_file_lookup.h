#pragma once
// Whether the pattern list file is there, as the platform's lookup of normal
// files sees it: read-only and archived files count; hidden files, system files
// and directories do not.
#include <string>

bool ListFileExists(const std::wstring& fileName);

// Whether a folder stands at the path (hidden or not).
bool IsFolder(const std::wstring& path);
