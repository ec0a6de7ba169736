#pragma once
// The folders of a walk, each held open from when it is reached until nothing
// needs it any more: the start opened once by its path, every folder below it
// opened through its parent's handle by its one name and checked to be the
// folder that was listed there, not a link.
#include <windows.h>
#include <memory>
#include <string>
#include "directory_listing.h"
#include "handle_owners.h"
#include "relative_open.h"

namespace modMain {

struct HeldFolder;
using FolderRef = std::shared_ptr<const HeldFolder>;

struct HeldFolder {
    win32::FileHandle handle;
    std::wstring shown;      // its full path as the user knows it: caption, reports, the shell
    // Under Wine, the NT name that this folder resolves to and that every entry
    // of it must resolve under (see own_name.h); "" when the system cannot spell
    // the name of this folder or of one above it, and so nothing below can be checked.
    std::wstring expected;
    // An ancestor is held as long as any folder below it: a Recycle Bin run
    // keeps the whole path from the start pinned (FolderSharing::Pinned).
    FolderRef parent;
};

// Opens the start folder (a full path; through a link if the user gave one).
// Throws win32::Error naming the path as the user knows it.
FolderRef HoldStart(const std::wstring& fullPath, FolderSharing sharing);

enum class ChildOutcome {
    Held,
    Link,      // a link, or no longer the folder that was listed: never entered
    Failed,    // it could not be opened, or lies past what the file system can name: error says why
};

// Opens the subfolder of parent that parent's listing gave.
ChildOutcome HoldChild(const FolderRef& parent, const SubfolderEntry& entry, FolderSharing sharing, FolderRef& child,
                       DWORD& error);

// The error that names a child folder that could not be opened or read.
[[noreturn]] void ThrowFolderError(const FolderRef& parent, const std::wstring& name, DWORD error);

}  // namespace modMain
