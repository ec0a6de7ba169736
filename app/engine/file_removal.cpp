#include "file_removal.h"

#include <windows.h>
#include "command_line.h"
#include "handle_owners.h"

namespace modMain {
namespace {

// A file or a folder of its path that is not there: someone else removed it.
Removal Refused() {
    const DWORD code = ::GetLastError();
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? Removal::Missing : Removal::Kept;
}

}  // namespace

Removal FileRemover::Remove(const std::wstring& directory, const std::wstring& name) {
    if (!LinksLookLikeFiles())
        return ::DeleteFileW((AddSlash(directory) + name).c_str()) ? Removal::Deleted : Refused();
    OpenedFile opened = Open(directory, name);
    return Remove(opened);
}

OpenedFile FileRemover::Open(const std::wstring& directory, const std::wstring& name) {
    OpenedFile opened;
    opened.prepared = true;
    // Until its deletion nobody else may delete or rename it: the name checked
    // is the name deleted, and a deletion is never counted by two programs.
    opened.handle.reset(::CreateFileW((AddSlash(directory) + name).c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!opened.handle) {
        opened.openError = ::GetLastError();
        return opened;
    }
    opened.ownName = ownName_.IsOwnName(opened.handle.get(), directory, name);
    return opened;
}

Removal FileRemover::Remove(OpenedFile& opened) {
    if (!opened.handle) {
        ::SetLastError(opened.openError);
        return Refused();
    }
    if (!opened.ownName) {
        ::SetLastError(ERROR_NOT_SUPPORTED);
        return Removal::Kept;
    }
    FILE_DISPOSITION_INFO dispose{TRUE};
    if (!::SetFileInformationByHandle(opened.handle.get(), FileDispositionInfo, &dispose, sizeof dispose))
        return Refused();
    opened.handle.reset();
    return Removal::Deleted;
}

}  // namespace modMain
