#include "removal_judge.h"

#include <windows.h>
#include "command_line.h"
#include "sized_text.h"
#include "file_removal.h"
#include "handle_owners.h"
#include "own_name.h"
#include "relative_open.h"
#include "program_paths.h"

namespace modMain {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

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
    const std::wstring normalized = win32::WholeText(
        [&fullPath](wchar_t* buffer, DWORD size) {
            return ::GetFullPathNameW(fullPath.c_str(), size, buffer, nullptr);
        },
        MAX_PATH);
    return normalized == fullPath;
}

StayReason RemovalJudge::ByListing(const HeldFolder& folder, const FileEntry& file) const {
    if (file.attributes & FILE_ATTRIBUTE_READONLY) return StayReason::ReadOnly;
    if (!NameMeansOneFile(file.name)) return StayReason::UnusableName;
    // Wine reports such a name back without its last dot or space, so neither the
    // file nor anything in such a folder can be checked to be the one listed.
    if (LinksLookLikeFiles() && (!NameSpelledAsListed(file.name) || folder.expected.empty()))
        return StayReason::UnusableName;
    if (recycling_ && !PlainPathMeansOneFile(AddSlash(folder.shown) + file.name)) return StayReason::NotForRecycleBin;
    return StayReason::None;
}

StayReason RemovalJudge::ByOpening(const HeldFolder& folder, const std::wstring& name, bool& missing) const {
    DWORD error = ERROR_SUCCESS;
    const win32::FileHandle file = OpenChildFile(folder.handle.get(), name, FILE_READ_ATTRIBUTES, kShareAll, error);
    missing = !file && RemovalAfter(error) == Removal::Missing;   // otherwise the run will try, and see
    if (!file || !LinksLookLikeFiles()) return StayReason::None;
    const std::wstring resolved = ResolvedName(file.get());
    // Past what the file system can name, Wine resolves nothing: not a link, a name it cannot use.
    if (resolved.empty()) return StayReason::UnusableName;
    return SamePathText(resolved, AddSlash(folder.expected) + name) ? StayReason::None : StayReason::Link;
}

}  // namespace modMain
