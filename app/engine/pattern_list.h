#pragma once
// The pattern list: cFileItem entries in colFiles, an ordered collection keyed
// by "K" + Key, and the list file KILL.LST (ANSI text, one pattern a line) that
// LoadList reads and SaveList writes beside the program.
#include <windows.h>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace modMain {

class cFileItem {
public:
    std::wstring Path;   // a file name or wildcard pattern; never empty
    int32_t Key = 0;     // unique within colFiles
};

// Ordered, keyed collection of pattern entries. Entries are appended at the end,
// removed, or changed in place; never inserted before another one.
class FileCollection {
public:
    static std::wstring KeyText(int32_t key);   // L"K" + decimal key

    int32_t Count() const noexcept { return static_cast<int32_t>(items_.size()); }
    bool Empty() const noexcept { return items_.empty(); }
    // 1-based position, as the list box rows + 1. Throws std::out_of_range.
    cFileItem& Item(int32_t position);
    const cFileItem& Item(int32_t position) const;
    // nullptr when no entry is stored under the key text.
    cFileItem* Find(std::wstring_view keyText);
    const cFileItem* Find(std::wstring_view keyText) const;
    // Appends under keyText; throws std::invalid_argument if the key is in use.
    void Add(cFileItem item, const std::wstring& keyText);
    // Removes the entry stored under keyText; false when there is none.
    bool Remove(std::wstring_view keyText);
    void Clear() noexcept;
    // The Key a new entry takes: the last entry's Key + 1, or 1 when empty.
    int32_t NextKey() const noexcept;

    std::vector<cFileItem>::const_iterator begin() const noexcept { return items_.begin(); }
    std::vector<cFileItem>::const_iterator end() const noexcept { return items_.end(); }

private:
    std::vector<cFileItem> items_;
    std::vector<std::wstring> keys_;   // keys_[i] is the key text of items_[i]
};

// The one pattern collection of the process.
extern FileCollection colFiles;

// AddSlash(ProgramDirectory()) + "KILL.LST".
std::wstring ListFilePath();

// Replaces colFiles with the entries of KILL.LST. Throws win32::Error.
void LoadList();
// Writes colFiles to KILL.LST, replacing the old file whole or not at all. Throws win32::Error.
void SaveList();

// The text rules, apart from any file: bytes in the given code page to entries
// numbered 1..n, and entries back to bytes (one Path + CR LF each).
FileCollection ParseList(std::string_view bytes, UINT codePage = CP_ACP);
std::string FormatList(const FileCollection& list, UINT codePage = CP_ACP);

// The same as LoadList and SaveList on a given file.
void LoadListFrom(const std::wstring& fileName, FileCollection& into);
void SaveListTo(const std::wstring& fileName, const FileCollection& list);

}  // namespace modMain
