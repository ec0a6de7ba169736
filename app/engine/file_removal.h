#pragma once
// Deleting one file of a directory by name, without ever reaching through a
// link to another file.
//
// On Windows a link carries FILE_ATTRIBUTE_REPARSE_POINT and DeleteFileW
// removes the link itself. Wine shows a symbolic link to a file as a plain
// file and deletes its target instead, so there the file is opened first and
// deleted through that handle only when the name it resolves to is its own
// (its directory's resolved name + its name); an alias of another file is left alone.
#include <string>

namespace modMain {

enum class Removal {
    Deleted,
    Kept,      // the platform refused, or the name is an alias of another file
    Missing,   // it was already gone
};

class FileRemover {
public:
    FileRemover();

    // Deletes AddSlash(directory) + name; directory in \\?\ form. Changes no attribute.
    Removal Remove(const std::wstring& directory, const std::wstring& name);

private:
    Removal RemoveIfNotAlias(const std::wstring& directory, const std::wstring& name);
    const std::wstring* ResolvedDirectory(const std::wstring& directory);

    bool linksLookLikeFiles_;
    std::wstring cachedDirectory_;   // the directory resolvedDirectory_ belongs to
    std::wstring resolvedDirectory_;
    bool cachedResolved_ = false;
};

// Whether two paths name the same text, ignoring case as file names do.
bool SamePathText(const std::wstring& a, const std::wstring& b);

}  // namespace modMain
