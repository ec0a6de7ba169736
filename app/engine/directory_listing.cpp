#include "directory_listing.h"

#include <string_view>
#include <unordered_map>
#include "command_line.h"
#include "handle_owners.h"
#include "error.h"

namespace modMain {
namespace {

constexpr DWORD kVolumeLabel = 0x8;

bool IsFile(const WIN32_FIND_DATAW& data) {
    return !(data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | kVolumeLabel));
}

void AddEntry(DirectoryListing& listing, const WIN32_FIND_DATAW& data) {
    const std::wstring_view name = data.cFileName;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (name == L"." || name == L"..") return;
        // A link or junction may lead back up the tree: never entered.
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return;
        listing.subdirectories.emplace_back(name);
    } else if (IsFile(data)) {
        listing.files.push_back(FileEntry{std::wstring(name), data.dwFileAttributes});
    }
}

// Hands every entry of the directory to onEntry.
template <typename OnEntry>
void ReadDirectory(const std::wstring& extendedDirectory, const std::wstring& shownAs, OnEntry onEntry) {
    WIN32_FIND_DATAW data;
    win32::FindHandle find(::FindFirstFileExW((AddSlash(extendedDirectory) + L"*").c_str(), FindExInfoBasic, &data,
                                              FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        DWORD code = ::GetLastError();
        if (code == ERROR_FILE_NOT_FOUND) {
            // Nothing at all is found only in an empty drive root, which has no "." entry.
            const DWORD attributes = ::GetFileAttributesW(AddSlash(extendedDirectory).c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
            code = ERROR_PATH_NOT_FOUND;
        }
        throw win32::Error::FromWin32(code, shownAs);
    }
    do onEntry(data);
    while (::FindNextFileW(find.get(), &data));
    const DWORD code = ::GetLastError();
    if (code != ERROR_NO_MORE_FILES) throw win32::Error::FromWin32(code, shownAs);
}

}  // namespace

DirectoryListing ListDirectory(const std::wstring& extendedDirectory, const std::wstring& shownAs) {
    DirectoryListing listing;
    ReadDirectory(extendedDirectory, shownAs, [&listing](const WIN32_FIND_DATAW& data) { AddEntry(listing, data); });
    return listing;
}

void EnsureDirectoryExists(const std::wstring& extendedDirectory, const std::wstring& shownAs) {
    const DWORD attributes = ::GetFileAttributesW(AddSlash(extendedDirectory).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    const DWORD code = attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : ERROR_DIRECTORY;
    throw win32::Error::FromWin32(code == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : code, shownAs);
}

std::vector<bool> FilesStillListed(const std::wstring& extendedDirectory, const std::wstring& shownAs,
                                   const std::vector<std::wstring>& names) {
    std::vector<bool> listed(names.size(), false);
    std::unordered_map<std::wstring_view, size_t> asked;
    asked.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) asked.emplace(names[i], i);
    ReadDirectory(extendedDirectory, shownAs, [&](const WIN32_FIND_DATAW& data) {
        if (!IsFile(data)) return;
        const auto found = asked.find(std::wstring_view(data.cFileName));
        if (found != asked.end()) listed[found->second] = true;
    });
    return listed;
}

}  // namespace modMain
