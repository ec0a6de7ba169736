#pragma once
// Deleting one file of a directory by name, without ever reaching through a
// link to another file: under Wine (see own_name.h) the file is opened first and
// deleted through that handle only when its name is its own; an alias of another
// file is left alone.
#include <windows.h>
#include <string>
#include "handle_owners.h"
#include "own_name.h"

namespace modMain {

enum class Removal {
    Deleted,   // the platform accepted the deletion (whether the name is gone is for the caller to see)
    Kept,      // the platform refused, or the name is an alias of another file
    Missing,   // the platform found no such file
};

// A file opened for its deletion and checked, ahead of the deletion itself.
struct OpenedFile {
    bool prepared = false;            // Open made it
    win32::FileHandle handle;         // empty when the file could not be opened
    DWORD openError = ERROR_SUCCESS;  // why not
    bool ownName = false;
};

class FileRemover {
public:
    // Deletes AddSlash(directory) + name; directory in \\?\ form. Changes no attribute.
    Removal Remove(const std::wstring& directory, const std::wstring& name);

    // Where names must be checked (under Wine): opens the file and checks its
    // name now, so that Remove(opened) later only deletes through the handle.
    // Nothing is deleted if that never comes: closing the handle leaves the file.
    OpenedFile Open(const std::wstring& directory, const std::wstring& name);
    // Deletes what Open prepared, closing its handle (which is when the name goes).
    Removal Remove(OpenedFile& opened);

private:
    OwnNameCheck ownName_;
};

}  // namespace modMain
