#include "removal_judge.h"

#include <windows.h>
#include "command_line.h"
#include "sized_text.h"
#include "handle_owners.h"

namespace modMain {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool Missing(DWORD code) { return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND; }

}  // namespace

bool NameMeansOneFile(const std::wstring& name) {
    if (name.empty()) return false;
    for (const wchar_t c : name)
        if (c < 32 || c == L'\\' || c == L'/' || c == L'*' || c == L'?' || c == L'<' || c == L'>' || c == L'"' ||
            c == L'|')
            return false;
    return true;
}

bool PlainPathMeansOneFile(const std::wstring& fullPath) {
    if (fullPath.size() >= MAX_PATH) return false;
    const size_t slash = fullPath.find_last_of(L'\\');
    const std::wstring_view name = std::wstring_view(fullPath).substr(slash == std::wstring::npos ? 0 : slash + 1);
    if (name.empty() || name.back() == L' ' || name.back() == L'.' || name.find(L':') != std::wstring_view::npos)
        return false;
    const std::wstring normalized = WholeText(
        [&fullPath](wchar_t* buffer, DWORD size) {
            return ::GetFullPathNameW(fullPath.c_str(), size, buffer, nullptr);
        },
        MAX_PATH);
    return normalized == fullPath;
}

StayReason RemovalJudge::ByListing(const std::wstring& shownDirectory, const FileEntry& file) const {
    if (file.attributes & FILE_ATTRIBUTE_READONLY) return StayReason::ReadOnly;
    if (!NameMeansOneFile(file.name)) return StayReason::UnusableName;
    // Wine reports such a name back without its last dot or space, so a delete
    // through the handle (file_removal.h) never finds the name its own.
    if (LinksLookLikeFiles() && (file.name.back() == L' ' || file.name.back() == L'.'))
        return StayReason::UnusableName;
    if (recycling_ && !PlainPathMeansOneFile(AddSlash(shownDirectory) + file.name))
        return StayReason::NotForRecycleBin;
    return StayReason::None;
}

StayReason RemovalJudge::ByOpening(const std::wstring& extendedDirectory, const std::wstring& name, bool& missing) {
    const std::wstring path = AddSlash(extendedDirectory) + name;
    missing = false;
    if (!LinksLookLikeFiles()) {
        missing = ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES && Missing(::GetLastError());
        return StayReason::None;
    }
    win32::FileHandle file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file) {
        missing = Missing(::GetLastError());   // otherwise the run will try, and see
        return StayReason::None;
    }
    return ownName_.IsOwnName(file.get(), extendedDirectory, name) ? StayReason::None : StayReason::Link;
}

}  // namespace modMain
