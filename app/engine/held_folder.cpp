#include "held_folder.h"

#include "error.h"
#include "long_path.h"
#include "own_name.h"
#include "command_line.h"
#include "program_paths.h"

namespace modMain {
namespace {

std::wstring ChildShown(const FolderRef& parent, const std::wstring& name) { return AddSlash(parent->shown) + name; }

// Under Wine a folder is what the walk expects when its handle resolves to the
// parent's expected name and its own; where names cannot be spelled, when it is
// the very folder the parent's listing gave (the same identity). A name Wine
// cannot resolve at all lies past what the file system can name.
ChildOutcome CheckListedFolder(const HeldFolder& parent, const SubfolderEntry& entry, HANDLE child,
                               std::wstring& expected, DWORD& error) {
    if (!LinksLookLikeFiles()) return IsLinkHandle(child) ? ChildOutcome::Link : ChildOutcome::Held;
    expected.clear();
    if (!parent.expected.empty() && NameSpelledAsListed(entry.name)) {
        expected = AddSlash(parent.expected) + entry.name;
        const std::wstring resolved = ResolvedName(child);
        if (resolved.empty()) {
            error = ERROR_FILENAME_EXCED_RANGE;
            return ChildOutcome::Failed;
        }
        return SamePathText(resolved, expected) ? ChildOutcome::Held : ChildOutcome::Link;
    }
    return entry.id != 0 && FileIdOf(child) == entry.id ? ChildOutcome::Held : ChildOutcome::Link;
}

}  // namespace

FolderRef HoldStart(const std::wstring& fullPath, FolderSharing sharing) {
    auto start = std::make_shared<HeldFolder>();
    start->shown = DisplayPath(fullPath);
    DWORD error = ERROR_SUCCESS;
    start->handle = OpenStartFolder(ExtendedPath(fullPath), sharing, error);
    if (!start->handle)
        throw win32::Error::FromWin32(error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : error, start->shown);
    // What the start resolves to is where the run is: below it, every name must resolve under it.
    if (LinksLookLikeFiles() && PathSpelledAsGiven(start->shown)) start->expected = ResolvedName(start->handle.get());
    return start;
}

ChildOutcome HoldChild(const FolderRef& parent, const SubfolderEntry& entry, FolderSharing sharing, FolderRef& child,
                       DWORD& error) {
    auto held = std::make_shared<HeldFolder>();
    held->handle = OpenChildFolder(parent->handle.get(), entry.name, sharing, error);
    if (!held->handle) {
        // Not a folder (any more): something put a file in its place.
        if (error == ERROR_DIRECTORY) return ChildOutcome::Link;
        return ChildOutcome::Failed;
    }
    const ChildOutcome checked = CheckListedFolder(*parent, entry, held->handle.get(), held->expected, error);
    if (checked != ChildOutcome::Held) return checked;
    held->shown = ChildShown(parent, entry.name);
    held->parent = parent;
    child = std::move(held);
    return ChildOutcome::Held;
}

void ThrowFolderError(const FolderRef& parent, const std::wstring& name, DWORD error) {
    throw win32::Error::FromWin32(error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : error,
                                  ChildShown(parent, name));
}

}  // namespace modMain
