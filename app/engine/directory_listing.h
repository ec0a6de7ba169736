#pragma once
// One directory, read once: its files and the subdirectories a walk enters.
#include <windows.h>
#include <string>
#include <vector>

namespace modMain {

struct FileEntry {
    std::wstring name;
    DWORD attributes = 0;
};

struct DirectoryListing {
    std::vector<FileEntry> files;               // every entry that is not a directory
    std::vector<std::wstring> subdirectories;   // names, without "." "..", links or junctions
};

// Lists the directory given in \\?\ form, in the file system's order.
// Throws win32::Error naming shownAs when it cannot be opened or read.
DirectoryListing ListDirectory(const std::wstring& extendedDirectory, const std::wstring& shownAs);

// Throws win32::Error naming shownAs, as ListDirectory would, when the
// directory is no longer there (or is no directory).
void EnsureDirectoryExists(const std::wstring& extendedDirectory, const std::wstring& shownAs);

// Which of the names (each as a listing gave it) the directory still lists as
// files, compared exactly: one reading of the directory however many names are
// asked. Throws win32::Error as ListDirectory does.
std::vector<bool> FilesStillListed(const std::wstring& extendedDirectory, const std::wstring& shownAs,
                                   const std::vector<std::wstring>& names);

}  // namespace modMain
