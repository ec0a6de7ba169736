#pragma once
// Whether what a handle reached is what its name was meant to reach.
//
// On Windows a link carries FILE_ATTRIBUTE_REPARSE_POINT and an open with
// FILE_OPEN_REPARSE_POINT takes the link itself. Wine shows a symbolic link to a
// file as a plain file and follows every link it opens, and it resolves an open
// relative to a folder's handle through the path that folder had when it was
// opened: after a folder above was swapped for a link, the open lands in the
// link's target. There an opened file or folder is the one meant only when the
// name its handle resolves to is exactly the name expected from the start's
// resolved name and the names walked below it.
#include <windows.h>
#include <string>

namespace modMain {

// True under Wine.
bool RunsUnderWine();
// True where links to files look like plain files: under Wine.
bool LinksLookLikeFiles();

// Whether the handle resolves to exactly this NT name ("\??\Z:\a\b").
bool ResolvesTo(HANDLE handle, const std::wstring& expectedNtName);

// Whether the name, as listed, comes back unchanged in a resolved name: Wine
// drops a last dot or space there, so such a name can never be checked.
bool NameSpelledAsListed(const std::wstring& name);
// The same for every name of a path.
bool PathSpelledAsGiven(const std::wstring& path);

// Whether two paths name the same text, ignoring case as file names do.
bool SamePathText(const std::wstring& a, const std::wstring& b);

}  // namespace modMain
