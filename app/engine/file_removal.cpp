#include "file_removal.h"

#include <windows.h>
#include "command_line.h"
#include "handle_owners.h"

namespace modMain {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A file or a folder of its path that is not there: someone else removed it.
Removal Refused() {
    const DWORD code = ::GetLastError();
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? Removal::Missing : Removal::Kept;
}

}  // namespace

Removal FileRemover::Remove(const std::wstring& directory, const std::wstring& name) {
    if (LinksLookLikeFiles()) return RemoveIfOwnName(directory, name);
    return ::DeleteFileW((AddSlash(directory) + name).c_str()) ? Removal::Deleted : Refused();
}

Removal FileRemover::RemoveIfOwnName(const std::wstring& directory, const std::wstring& name) {
    win32::FileHandle file(::CreateFileW((AddSlash(directory) + name).c_str(), DELETE | FILE_READ_ATTRIBUTES, kShareAll,
                                         nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file) return Refused();
    if (!ownName_.IsOwnName(file.get(), directory, name)) {
        ::SetLastError(ERROR_NOT_SUPPORTED);
        return Removal::Kept;
    }
    FILE_DISPOSITION_INFO dispose{TRUE};
    if (!::SetFileInformationByHandle(file.get(), FileDispositionInfo, &dispose, sizeof dispose)) return Refused();
    return Removal::Deleted;
}

}  // namespace modMain
