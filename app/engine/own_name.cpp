#include "own_name.h"

#include <string_view>
#include <vector>
#include "command_line.h"
#include "handle_owners.h"

namespace modMain {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The name the file system resolved the handle's path to, from the volume's
// root. (Wine's GetFinalPathNameByHandleW fails past MAX_PATH; this does not.)
std::wstring ResolvedName(HANDLE handle) {
    static thread_local std::vector<char> buffer(sizeof(FILE_NAME_INFO) + 0x10000 * sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_NAME_INFO*>(buffer.data());
    if (!::GetFileInformationByHandleEx(handle, FileNameInfo, info, static_cast<DWORD>(buffer.size()))) return {};
    return std::wstring(info->FileName, info->FileNameLength / sizeof(wchar_t));
}

// "\\?\C:\a\b" as the volume sees it: "\a\b" ("" for other forms).
std::wstring VolumeRelative(const std::wstring& extendedPath) {
    constexpr std::wstring_view kPrefix = L"\\\\?\\";
    if (extendedPath.compare(0, kPrefix.size(), kPrefix) != 0 || extendedPath.size() < kPrefix.size() + 2 ||
        extendedPath[kPrefix.size() + 1] != L':')
        return {};
    return extendedPath.substr(kPrefix.size() + 2);
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
    if (!resolved.empty() && SamePathText(resolved, VolumeRelative(AddSlash(directory) + name))) return true;
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
