#include "file_removal.h"

#include <winternl.h>
#include <atomic>
#include "command_line.h"
#include "own_name.h"
#include "program_paths.h"

namespace modMain {
namespace {

constexpr ULONG kFileDispositionInformationEx = 64;   // FILE_INFORMATION_CLASS
constexpr ULONG kDispositionDelete = 0x1;             // FILE_DISPOSITION_DELETE
constexpr ULONG kDispositionPosix = 0x2;              // FILE_DISPOSITION_POSIX_SEMANTICS

// Cleared once the system says it has no POSIX deletion (Wine 8, older Windows).
std::atomic<bool> posixDeletion{true};

bool DisposePosix(HANDLE file, NTSTATUS& status) {
    ULONG flags = kDispositionDelete | kDispositionPosix;
    IO_STATUS_BLOCK io{};
    status = ::NtSetInformationFile(file, &io, &flags, sizeof flags,
                                    static_cast<FILE_INFORMATION_CLASS>(kFileDispositionInformationEx));
    return NT_SUCCESS(status);
}

bool NoSuchClass(NTSTATUS status) {
    return status == static_cast<NTSTATUS>(0xC0000002L) ||   // STATUS_NOT_IMPLEMENTED
           status == static_cast<NTSTATUS>(0xC0000003L) ||   // STATUS_INVALID_INFO_CLASS
           status == static_cast<NTSTATUS>(0xC000000DL) ||   // STATUS_INVALID_PARAMETER
           status == static_cast<NTSTATUS>(0xC00000BBL);     // STATUS_NOT_SUPPORTED
}

// Sets the file's deletion; false with the last error set when refused.
bool Dispose(HANDLE file) {
    if (posixDeletion.load(std::memory_order_relaxed)) {
        NTSTATUS status = 0;
        if (DisposePosix(file, status)) return true;
        if (!NoSuchClass(status)) {
            ::SetLastError(::RtlNtStatusToDosError(status));
            return false;
        }
        posixDeletion.store(false, std::memory_order_relaxed);
    }
    FILE_DISPOSITION_INFO dispose{TRUE};
    return ::SetFileInformationByHandle(file, FileDispositionInfo, &dispose, sizeof dispose) != FALSE;
}

}  // namespace

Removal RemovalAfter(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return Removal::Missing;
    case ERROR_SHARING_VIOLATION:
    case ERROR_DELETE_PENDING: return Removal::Held;
    default: return Removal::Kept;
    }
}

OpenedFile FileRemover::Open(const HeldFolder& folder, const std::wstring& name) {
    OpenedFile opened;
    opened.handle = OpenChildFile(folder.handle.get(), name, DELETE | FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, opened.openError);
    if (!opened.handle) return opened;
    // On Windows a link is opened as itself, and deleting it takes only the link.
    opened.ownName = !LinksLookLikeFiles() ||
                     (!folder.expected.empty() && ResolvesTo(opened.handle.get(), AddSlash(folder.expected) + name));
    return opened;
}

Removal FileRemover::Remove(OpenedFile& opened) {
    if (!opened.handle) return RemovalAfter(opened.openError);
    if (!opened.ownName) return Removal::Kept;
    if (!Dispose(opened.handle.get())) return RemovalAfter(::GetLastError());
    opened.handle.reset();
    return Removal::Deleted;
}

Removal FileRemover::Remove(const HeldFolder& folder, const std::wstring& name) {
    OpenedFile opened = Open(folder, name);
    return Remove(opened);
}

}  // namespace modMain
