#pragma once
// Which matching files a run leaves where they are, decided before anything is
// done to them. A run and its preview both ask here, so a preview lists exactly
// the files its run then leaves.
#include <string>
#include "directory_listing.h"
#include "own_name.h"

namespace modMain {

enum class StayReason {
    None,              // the run deletes (or recycles) it
    ReadOnly,          // read-only files are never deleted and never recycled
    Link,              // under Wine, a symbolic link: through its name only its target could be reached
    UnusableName,      // the file APIs cannot be given a name that means this one file
    NotForRecycleBin,  // the shell's operation, which takes plain paths only, cannot be given this one file
};

class RemovalJudge {
public:
    // recycling: whether the run moves files to the Recycle Bin instead of deleting them.
    explicit RemovalJudge(bool recycling) : recycling_(recycling) {}

    // What the listing tells: the file's attributes and name, and the path the
    // shell would be given (shownDirectory: the directory's full path, no \\?\).
    StayReason ByListing(const std::wstring& shownDirectory, const FileEntry& file) const;

    // What the file tells when opened (extendedDirectory in \\?\ form): under Wine
    // whether its name is its own. missing is set when no such file is there any
    // more. A delete run needs no opening: it looks at the handle it deletes through.
    StayReason ByOpening(const std::wstring& extendedDirectory, const std::wstring& name, bool& missing);

private:
    bool recycling_;
    OwnNameCheck ownName_;
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
