#pragma once
// Opening what lies below a held folder through the folder's own handle, by one
// name, so that no full path is resolved again below the start. On Windows the
// open never follows a link (FILE_OPEN_REPARSE_POINT): a link is opened as
// itself, and its reparse tag says what it is.
#include <windows.h>
#include <string>
#include "handle_owners.h"

namespace modMain {

// How the folders of a run are shared with other programs while it holds them.
enum class FolderSharing {
    Open,     // others may rename and delete them (a delete run holds every folder it works in)
    Pinned,   // nobody may rename or delete them (a Recycle Bin run, whose shell operation takes paths)
};

// Sharing for opening a folder of a run.
ULONG ShareModeFor(FolderSharing sharing);

// Opens the start folder by its path (extended, \\?\ form), following a link the
// user chose to give, for listing and for opening its entries. error says why not.
win32::FileHandle OpenStartFolder(const std::wstring& extendedPath, FolderSharing sharing, DWORD& error);

// Opens the subfolder name of folder without following it.
win32::FileHandle OpenChildFolder(HANDLE folder, const std::wstring& name, FolderSharing sharing, DWORD& error);

// Opens the file name of folder without following it, with the given access and sharing.
win32::FileHandle OpenChildFile(HANDLE folder, const std::wstring& name, ACCESS_MASK access, ULONG share,
                                DWORD& error);

// Whether an entry with these attributes and reparse tag is a link to elsewhere
// (symbolic link, junction, mount point), which a walk never enters and a run
// never reaches through. Other reparse points (placeholders of synced folders,
// deduplicated files) are ordinary folders and files. A reparse point whose tag
// is not known (0: Wine's listings give none) counts as a link.
bool IsLinkTag(DWORD attributes, DWORD reparseTag);

// Whether the opened handle is such a link, as its own attributes and tag say.
bool IsLinkHandle(HANDLE handle);

// The NT name the file system resolved the handle to ("\??\C:\a\b"); "" when not known.
std::wstring ResolvedName(HANDLE handle);

// The file system's identity of the opened file or folder (0 when not known).
ULONGLONG FileIdOf(HANDLE handle);

// Whether the object (file or folder) has been deleted by someone else while held.
bool DeletedWhileHeld(HANDLE handle);

}  // namespace modMain
