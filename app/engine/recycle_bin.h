#pragma once
// The Recycle Bin: files moved there can be restored by the user.
#include <string>
#include <vector>
#include "directory_listing.h"
#include "held_folder.h"

namespace modMain {

// Moves the named files of one directory (its full path as the user sees it, no
// \\?\ prefix) to the Recycle Bin in one shell operation, silently: no question,
// no progress window, no error box. The operation's result does not say which
// files went, so the caller checks which are still there. The shell reads each
// path as a Win32 path and may expand wildcards in it: the caller gives only
// names that mean exactly one file that way (see PlainPathMeansOneFile).
void MoveToRecycleBin(const std::wstring& directory, const std::vector<std::wstring>& names);

// Whether the path the shell will be given, the folder's shown path and the
// file's name, still reaches the very file that was listed (its identity, and
// under Wine its resolved name). Checked right before the hand-over: the folders
// of a Recycle Bin run are pinned (no rename, no deletion) on Windows, but under
// Wine other Linux programs may still swap a folder for a link.
bool PathStillReaches(const HeldFolder& folder, const FileEntry& file);

}  // namespace modMain
