#pragma once
// Which matching files a run leaves where they are, decided before anything is
// done to them. A run and its preview both ask here, so a preview lists exactly
// the files its run then leaves.
#include <string>
#include "directory_listing.h"
#include "held_folder.h"

namespace modMain {

enum class StayReason {
    None,              // the run deletes (or recycles) it
    ReadOnly,          // read-only files are never deleted and never recycled
    Link,              // under Wine, a symbolic link: through its name only its target could be reached
    UnusableName,      // the system cannot spell its name, or its folder's, as this one file
    NotForRecycleBin,  // the shell's operation, which takes plain paths only, cannot be given this one file
};

class RemovalJudge {
public:
    // recycling: whether the run moves files to the Recycle Bin instead of deleting them.
    explicit RemovalJudge(bool recycling) : recycling_(recycling) {}

    // What the listing tells: the file's attributes and name, its folder's name,
    // and the path the shell would be given. Asked on the reader thread too: it
    // reads nothing but its arguments.
    StayReason ByListing(const HeldFolder& folder, const FileEntry& file) const;

    // What the file tells when opened through its folder: under Wine whether it
    // is the file listed (own_name.h). missing is set when no such file is there
    // any more. A delete run needs no opening: it looks at the handle it deletes through.
    StayReason ByOpening(const HeldFolder& folder, const std::wstring& name, bool& missing) const;

private:
    bool recycling_;
};

// Whether the name, as listed, reaches exactly this file when joined to its
// directory's \\?\ path: no separator and no character that the platform reads as
// a wildcard or rejects (all of which a Linux file name may hold under Wine).
bool NameMeansOneFile(const std::wstring& name);

// Whether a full path without \\?\ reaches exactly the file of that name: the
// platform would not shorten it (a trailing dot or space), turn it into a device
// (NUL, CON.txt) or read a stream in it (":"), and it is short enough.
bool PlainPathMeansOneFile(const std::wstring& fullPath);

}  // namespace modMain
