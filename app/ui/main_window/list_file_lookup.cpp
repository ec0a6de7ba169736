#include "main_window/list_file_lookup.h"
#include <windows.h>
#include "text_case.h"
#include "handle_owners.h"

bool ListFileExists(const std::wstring& fileName) {
    WIN32_FIND_DATAW found{};
    win32::FindHandle search(FindFirstFileW(fileName.c_str(), &found));
    if (!search) return false;
    constexpr DWORD kNotNormal = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
    if (found.dwFileAttributes & kNotNormal) return false;
    return !modMain::TrimSpaces(found.cFileName).empty();
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
