#include "relative_open.h"

#include <winternl.h>
#include <algorithm>
#include <vector>
#include "own_name.h"

namespace modMain {
namespace {

// Not in every SDK's winternl.h.
constexpr ULONG kOpenReparsePoint = 0x00200000;    // FILE_OPEN_REPARSE_POINT
constexpr ULONG kOpenForBackup = 0x00004000;       // FILE_OPEN_FOR_BACKUP_INTENT
constexpr ULONG kSynchronousIo = 0x00000020;       // FILE_SYNCHRONOUS_IO_NONALERT
constexpr ULONG kDirectoryFile = 0x00000001;       // FILE_DIRECTORY_FILE
constexpr ULONG kNonDirectoryFile = 0x00000040;    // FILE_NON_DIRECTORY_FILE
constexpr ULONG kOpenExisting = 0x00000001;        // FILE_OPEN
constexpr ULONG kFileInternalInformation = 6;      // FILE_INFORMATION_CLASS

constexpr ACCESS_MASK kFolderAccess = FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE;

win32::FileHandle OpenRelative(HANDLE folder, const std::wstring& name, ACCESS_MASK access, ULONG share,
                               ULONG options, DWORD& error) {
    UNICODE_STRING text;
    text.Buffer = const_cast<wchar_t*>(name.c_str());
    text.Length = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    text.MaximumLength = text.Length;
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, folder, nullptr);
    IO_STATUS_BLOCK io{};
    HANDLE opened = nullptr;
    error = ERROR_SUCCESS;
    if (name.empty() || name.size() > 0x7fff) {
        error = ERROR_INVALID_NAME;
        return {};
    }
    const NTSTATUS status = ::NtCreateFile(&opened, access | SYNCHRONIZE, &attributes, &io, nullptr, 0, share,
                                           kOpenExisting, options | kOpenReparsePoint | kSynchronousIo, nullptr, 0);
    if (!NT_SUCCESS(status)) {
        // Someone else's deletion of it is under way: not the access denial it maps to.
        error = status == static_cast<NTSTATUS>(0xC0000056L) ? ERROR_DELETE_PENDING : ::RtlNtStatusToDosError(status);
        return {};
    }
    return win32::FileHandle(opened);
}

}  // namespace

ULONG ShareModeFor(FolderSharing sharing) {
    return sharing == FolderSharing::Pinned ? FILE_SHARE_READ | FILE_SHARE_WRITE
                                            : FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
}

win32::FileHandle OpenStartFolder(const std::wstring& extendedPath, FolderSharing sharing, DWORD& error) {
    win32::FileHandle folder(::CreateFileW(extendedPath.c_str(), kFolderAccess, ShareModeFor(sharing), nullptr,
                                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    error = folder ? ERROR_SUCCESS : ::GetLastError();
    if (folder) {
        FILE_STANDARD_INFO standard{};
        if (::GetFileInformationByHandleEx(folder.get(), FileStandardInfo, &standard, sizeof standard) &&
            !standard.Directory) {
            error = ERROR_DIRECTORY;
            folder.reset();
        }
    }
    return folder;
}

win32::FileHandle OpenChildFolder(HANDLE folder, const std::wstring& name, FolderSharing sharing, DWORD& error) {
    return OpenRelative(folder, name, kFolderAccess, ShareModeFor(sharing), kDirectoryFile | kOpenForBackup, error);
}

win32::FileHandle OpenChildFile(HANDLE folder, const std::wstring& name, ACCESS_MASK access, ULONG share,
                                DWORD& error) {
    return OpenRelative(folder, name, access, share, kNonDirectoryFile, error);
}

bool IsLinkTag(DWORD attributes, DWORD reparseTag) {
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    return reparseTag == 0 || IsReparseTagNameSurrogate(reparseTag);
}

bool IsLinkHandle(HANDLE handle) {
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (!::GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag)) return true;
    return IsLinkTag(tag.FileAttributes, tag.ReparseTag);
}

// Asked of the object rather than the file, Wine answers without first handing
// the process the file's descriptor: one round trip to its server instead of two.
// (Its GetFinalPathNameByHandleW fails past MAX_PATH; this does not.)
std::wstring ResolvedName(HANDLE handle) {
    std::vector<char> buffer(sizeof(OBJECT_NAME_INFORMATION) + 1024 * sizeof(wchar_t));
    for (;;) {
        auto* info = reinterpret_cast<OBJECT_NAME_INFORMATION*>(buffer.data());
        ULONG length = 0;
        const NTSTATUS status =
            ::NtQueryObject(handle, ObjectNameInformation, info, static_cast<ULONG>(buffer.size()), &length);
        if (NT_SUCCESS(status)) return std::wstring(info->Name.Buffer, info->Name.Length / sizeof(wchar_t));
        const bool tooSmall = status == static_cast<NTSTATUS>(0x80000005L) ||   // STATUS_BUFFER_OVERFLOW
                              status == static_cast<NTSTATUS>(0xC0000004L) ||   // STATUS_INFO_LENGTH_MISMATCH
                              status == static_cast<NTSTATUS>(0xC0000023L);     // STATUS_BUFFER_TOO_SMALL
        if (!tooSmall || buffer.size() >= sizeof(OBJECT_NAME_INFORMATION) + 0x10000 * sizeof(wchar_t)) return {};
        buffer.resize(std::max<size_t>(buffer.size() * 4, length));
    }
}

ULONGLONG FileIdOf(HANDLE handle) {
    LARGE_INTEGER id{};
    IO_STATUS_BLOCK io{};
    if (!NT_SUCCESS(::NtQueryInformationFile(handle, &io, &id, sizeof id,
                                             static_cast<FILE_INFORMATION_CLASS>(kFileInternalInformation))))
        return 0;
    return static_cast<ULONGLONG>(id.QuadPart);
}

bool DeletedWhileHeld(HANDLE handle) {
    // Wine keeps a held folder until its last handle closes, and says nothing of a
    // removal meanwhile: there is nothing to ask.
    if (LinksLookLikeFiles()) return false;
    FILE_STANDARD_INFO standard{};
    if (!::GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof standard)) return false;
    return standard.DeletePending || standard.NumberOfLinks == 0;
}

}  // namespace modMain
