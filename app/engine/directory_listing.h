#pragma once
// One held folder, read once through its handle: its files and the subfolders
// a walk enters.
#include <windows.h>
#include <string>
#include <vector>

namespace modMain {

struct FileEntry {
    std::wstring name;
    DWORD attributes = 0;
    ULONGLONG id = 0;        // the file system's identity of the file when listed (0: not known)
    ULONGLONG size = 0;      // bytes, as listed
    ULONGLONG lastWrite = 0; // FILETIME (UTC), as listed
};

struct SubfolderEntry {
    std::wstring name;
    ULONGLONG id = 0;
};

struct DirectoryListing {
    std::vector<FileEntry> files;                  // every entry that is not a directory
    std::vector<SubfolderEntry> subdirectories;    // without "." "..", links or junctions
};

// Lists the folder through its handle, in the file system's order. The listing
// is of the folder that was opened, wherever its name has gone since. Throws
// win32::Error naming shownAs when it cannot be read.
DirectoryListing ListDirectory(HANDLE folder, const std::wstring& shownAs);

// Which of the names (each as a listing gave it) the folder still lists as
// files, compared exactly: one reading of the folder however many names are
// asked. Throws win32::Error as ListDirectory does.
std::vector<bool> FilesStillListed(HANDLE folder, const std::wstring& shownAs, const std::vector<std::wstring>& names);

}  // namespace modMain
