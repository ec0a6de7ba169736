#pragma once
// Whether a file's name is its own or an alias of another file.
//
// On Windows a link carries FILE_ATTRIBUTE_REPARSE_POINT, and a delete or a
// move to the Recycle Bin takes the link itself. Wine shows a symbolic link to
// a file as a plain file, and whatever is done through its name reaches its
// target instead; there a name counts as the file's own only when the name its
// open handle resolves to is that name (its directory's resolved name + name).
#include <windows.h>
#include <string>

namespace modMain {

// True under Wine, where links to files look like plain files.
bool LinksLookLikeFiles();

class OwnNameCheck {
public:
    // Whether the handle, opened by AddSlash(directory) + name with directory in
    // \\?\ form, resolves to that very name (or to name in the directory's own
    // resolved name, when the directory lies behind a link).
    bool IsOwnName(HANDLE file, const std::wstring& directory, const std::wstring& name);

private:
    const std::wstring* ResolvedDirectory(const std::wstring& directory);

    std::wstring cachedDirectory_;   // the directory resolvedDirectory_ belongs to
    std::wstring resolvedDirectory_;
    bool cachedResolved_ = false;
};

// Whether two paths name the same text, ignoring case as file names do.
bool SamePathText(const std::wstring& a, const std::wstring& b);

}  // namespace modMain
