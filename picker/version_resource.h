// Facts read from this file's own version block.
#pragma once

#include <string>

namespace tollen {

struct LibraryVersion {
    unsigned major = 0;
    unsigned minor = 0;
    unsigned revision = 0;
    std::wstring legalCopyright;
};

LibraryVersion ReadLibraryVersion();

// "1.0.0": each number as plain decimal text.
std::wstring VersionText(const LibraryVersion& version);

}  // namespace tollen
