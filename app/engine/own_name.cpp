#include "own_name.h"

#include <winternl.h>
#include <string_view>
#include <vector>
#include "command_line.h"
#include "handle_owners.h"

namespace modMain {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The NT name the file system resolved the handle's path to ("\??\C:\a\b").
// Asked of the object rather than the file, Wine answers without first handing
// the process the file's descriptor: one round trip to its server instead of two.
// (Its GetFinalPathNameByHandleW fails past MAX_PATH; this does not.)
std::wstring ResolvedName(HANDLE handle) {
    static thread_local std::vector<char> buffer(sizeof(OBJECT_NAME_INFORMATION) + 0x10000 * sizeof(wchar_t));
    auto* info = reinterpret_cast<OBJECT_NAME_INFORMATION*>(buffer.data());
    ULONG length = 0;
    if (!NT_SUCCESS(::NtQueryObject(handle, ObjectNameInformation, info, static_cast<ULONG>(buffer.size()), &length)))
        return {};
    return std::wstring(info->Name.Buffer, info->Name.Length / sizeof(wchar_t));
}

// "\\?\C:\a\b" as an NT name: "\??\C:\a\b" ("" for other forms).
std::wstring NtName(const std::wstring& extendedPath) {
    constexpr std::wstring_view kPrefix = L"\\\\?\\";
    if (extendedPath.compare(0, kPrefix.size(), kPrefix) != 0) return {};
    return L"\\??\\" + extendedPath.substr(kPrefix.size());
}

}  // namespace

bool LinksLookLikeFiles() {
    static const bool underWine = [] {
        const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
        return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return underWine;
}

bool SamePathText(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

bool OwnNameCheck::IsOwnName(HANDLE file, const std::wstring& directory, const std::wstring& name) {
    // Usually the file resolves to the very path it was opened by; otherwise the
    // folder itself may lie behind a link, and the file must resolve into it.
    const std::wstring resolved = ResolvedName(file);
    if (!resolved.empty() && SamePathText(resolved, NtName(AddSlash(directory) + name))) return true;
    const std::wstring* folder = ResolvedDirectory(directory);
    return folder != nullptr && !resolved.empty() && SamePathText(resolved, AddSlash(*folder) + name);
}

// The directory's own resolved name, asked once per directory.
const std::wstring* OwnNameCheck::ResolvedDirectory(const std::wstring& directory) {
    if (!cachedResolved_ || cachedDirectory_ != directory) {
        cachedDirectory_ = directory;
        win32::FileHandle folder(::CreateFileW(directory.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        resolvedDirectory_ = folder ? ResolvedName(folder.get()) : std::wstring();
        cachedResolved_ = true;
    }
    return resolvedDirectory_.empty() ? nullptr : &resolvedDirectory_;
}

}  // namespace modMain
