#pragma once
// Deleting one file of a directory by name, without ever reaching through a
// link to another file: under Wine (see own_name.h) the file is opened first and
// deleted through that handle only when its name is its own; an alias of another
// file is left alone.
#include <string>
#include "own_name.h"

namespace modMain {

enum class Removal {
    Deleted,   // the platform accepted the deletion (whether the name is gone is for the caller to see)
    Kept,      // the platform refused, or the name is an alias of another file
    Missing,   // the platform found no such file
};

class FileRemover {
public:
    // Deletes AddSlash(directory) + name; directory in \\?\ form. Changes no attribute.
    Removal Remove(const std::wstring& directory, const std::wstring& name);

private:
    Removal RemoveIfOwnName(const std::wstring& directory, const std::wstring& name);

    OwnNameCheck ownName_;
};

}  // namespace modMain
