#pragma once
// Whether the pattern list file is there, as the platform's lookup of normal
// files sees it: read-only and archived files count; hidden files, system files
// and directories do not.
#include <string>

bool ListFileExists(const std::wstring& fileName);
