#include "directory_listing.h"

#include "command_line.h"
#include "unique_handle.h"
#include "win32_error.h"

namespace modMain {
namespace {

constexpr DWORD kVolumeLabel = 0x8;

void AddEntry(DirectoryListing& listing, const WIN32_FIND_DATAW& data) {
    const std::wstring_view name = data.cFileName;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (name == L"." || name == L"..") return;
        // A link or junction may lead back up the tree: never entered.
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return;
        listing.subdirectories.emplace_back(name);
    } else if (!(data.dwFileAttributes & kVolumeLabel)) {
        listing.files.push_back(FileEntry{std::wstring(name), data.dwFileAttributes});
    }
}

}  // namespace

DirectoryListing ListDirectory(const std::wstring& extendedDirectory, const std::wstring& shownAs) {
    DirectoryListing listing;
    WIN32_FIND_DATAW data;
    FindHandle find(::FindFirstFileExW((AddSlash(extendedDirectory) + L"*").c_str(), FindExInfoBasic, &data,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        DWORD code = ::GetLastError();
        if (code == ERROR_FILE_NOT_FOUND) {
            // Nothing at all is found only in an empty drive root, which has no "." entry.
            const DWORD attributes = ::GetFileAttributesW(AddSlash(extendedDirectory).c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return listing;
            code = ERROR_PATH_NOT_FOUND;
        }
        throw Win32Error(code, shownAs);
    }
    do AddEntry(listing, data);
    while (::FindNextFileW(find.get(), &data));
    const DWORD code = ::GetLastError();
    if (code != ERROR_NO_MORE_FILES) throw Win32Error(code, shownAs);
    return listing;
}

}  // namespace modMain
