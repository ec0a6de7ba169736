#include "directory_listing.h"

#include <cstddef>
#include <memory>
#include <string_view>
#include <unordered_map>
#include "error.h"
#include "own_name.h"
#include "relative_open.h"

namespace modMain {
namespace {

constexpr DWORD kVolumeLabel = 0x8;
// Large enough that a folder of a few hundred entries is read in one call.
constexpr DWORD kListingBuffer = 64 * 1024;
// An entry with the longest name a folder can hold, and its alignment.
constexpr size_t kLongestEntry = offsetof(FILE_ID_BOTH_DIR_INFO, FileName) + MAX_PATH * sizeof(wchar_t) + 8;

bool IsFile(DWORD attributes) { return !(attributes & (FILE_ATTRIBUTE_DIRECTORY | kVolumeLabel)); }

// Hands every entry of the folder to onEntry, reading it from its start.
template <typename OnEntry>
void ReadDirectory(HANDLE folder, const std::wstring& shownAs, OnEntry onEntry) {
    const std::unique_ptr<unsigned char[]> buffer(new unsigned char[kListingBuffer]);
    for (FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;; kind = FileIdBothDirectoryInfo) {
        if (!::GetFileInformationByHandleEx(folder, kind, buffer.get(), kListingBuffer)) {
            const DWORD code = ::GetLastError();
            // A drive root without entries has no "." either: nothing is found at all.
            if (code == ERROR_NO_MORE_FILES || (code == ERROR_FILE_NOT_FOUND && kind == FileIdBothDirectoryRestartInfo))
                return;
            throw win32::Error::FromWin32(code, shownAs);
        }
        size_t end = 0;
        for (size_t offset = 0;;) {
            const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer.get() + offset);
            onEntry(*entry, std::wstring_view(entry->FileName, entry->FileNameLength / sizeof(wchar_t)));
            end = offset + offsetof(FILE_ID_BOTH_DIR_INFO, FileName) + entry->FileNameLength;
            if (entry->NextEntryOffset == 0) break;
            offset += entry->NextEntryOffset;
        }
        // Wine fills the buffer with every entry that fits: room left for the
        // longest one means there is none left, and asking again would only cost
        // another round trip to its server.
        if (RunsUnderWine() && end + kLongestEntry <= kListingBuffer) return;
    }
}

void AddEntry(DirectoryListing& listing, const FILE_ID_BOTH_DIR_INFO& entry, std::wstring_view name) {
    const ULONGLONG id = static_cast<ULONGLONG>(entry.FileId.QuadPart);
    if (entry.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (name == L"." || name == L"..") return;
        // A reparse point's tag is in EaSize. A link may lead back up the tree: never entered.
        if (IsLinkTag(entry.FileAttributes, entry.EaSize)) return;
        listing.subdirectories.push_back(SubfolderEntry{std::wstring(name), id});
    } else if (IsFile(entry.FileAttributes)) {
        listing.files.push_back(FileEntry{std::wstring(name), entry.FileAttributes, id,
                                          static_cast<ULONGLONG>(entry.EndOfFile.QuadPart),
                                          static_cast<ULONGLONG>(entry.LastWriteTime.QuadPart)});
    }
}

}  // namespace

DirectoryListing ListDirectory(HANDLE folder, const std::wstring& shownAs) {
    DirectoryListing listing;
    ReadDirectory(folder, shownAs,
                  [&listing](const FILE_ID_BOTH_DIR_INFO& entry, std::wstring_view name) { AddEntry(listing, entry, name); });
    return listing;
}

std::vector<bool> FilesStillListed(HANDLE folder, const std::wstring& shownAs, const std::vector<std::wstring>& names) {
    std::vector<bool> listed(names.size(), false);
    std::unordered_map<std::wstring_view, size_t> asked;
    asked.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) asked.emplace(names[i], i);
    ReadDirectory(folder, shownAs, [&](const FILE_ID_BOTH_DIR_INFO& entry, std::wstring_view name) {
        if (!IsFile(entry.FileAttributes)) return;
        const auto found = asked.find(name);
        if (found != asked.end()) listed[found->second] = true;
    });
    return listed;
}

}  // namespace modMain
