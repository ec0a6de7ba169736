#pragma once
// Deleting one file of a held folder: opened through the folder's handle by its
// name, checked (see own_name.h), and deleted through that handle, so that
// nothing but the file listed there is ever reached.
#include <windows.h>
#include <string>
#include "handle_owners.h"
#include "held_folder.h"

namespace modMain {

enum class Removal {
    Deleted,   // the platform accepted the deletion (whether the name is gone is for the caller to see)
    Kept,      // the platform refused, or the name reaches another file than the one listed
    Held,      // another program holds it open, or is deleting it: it may be gone soon
    Missing,   // the platform found no such file
};

// A file opened for its deletion and checked, ahead of the deletion itself.
struct OpenedFile {
    win32::FileHandle handle;         // empty when the file could not be opened
    DWORD openError = ERROR_SUCCESS;  // why not
    bool ownName = false;             // the handle reached the file listed, not another
};

class FileRemover {
public:
    // Opens the file and checks it now, so that Remove(opened) later only deletes
    // through the handle. Nothing is deleted if that never comes: closing the
    // handle leaves the file. Until then nobody else may delete or rename it, so
    // the name checked is the name deleted and a deletion is counted by one run only.
    static OpenedFile Open(const HeldFolder& folder, const std::wstring& name);
    // Deletes what Open prepared, closing its handle. With POSIX semantics, where
    // the system has them, the name goes at once even if others hold the file open;
    // elsewhere when the last handle to it closes.
    static Removal Remove(OpenedFile& opened);
    // Both in one.
    static Removal Remove(const HeldFolder& folder, const std::wstring& name);
};

// What a failed open or deletion with this error means for the file.
Removal RemovalAfter(DWORD error);

}  // namespace modMain
