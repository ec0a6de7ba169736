#pragma once
// The pattern list: cFileItem entries in colFiles, an ordered collection keyed
// by "K" + Key. The list file KILL.LST that fills it is list_file.h's.
#include <windows.h>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace modMain {

class cFileItem {
public:
    std::wstring Path;   // a file name or wildcard pattern; never empty
    int32_t Key = 0;     // unique within colFiles
};

// How the list file's text is stored: ANSI unless a byte-order mark at its
// start says UTF-8 or UTF-16. A list is saved the way it was read.
enum class ListEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

// Ordered, keyed collection of pattern entries. Entries are appended at the end,
// removed, or changed in place; never inserted before another one.
class FileCollection {
public:
    static std::wstring KeyText(int32_t key);   // L"K" + decimal key
    // The most entries a list file may hold; a longer one is refused whole.
    static constexpr int32_t kMostEntries = 2000000;

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
    // Empties the list; its encoding goes back to ANSI.
    void Clear() noexcept;
    // The Key a new entry takes: the last entry's Key + 1, or 1 when empty.
    int32_t NextKey() const noexcept;

    // The encoding the list's file was read in, and is written in.
    ListEncoding Encoding() const noexcept { return encoding_; }
    void SetEncoding(ListEncoding encoding) noexcept { encoding_ = encoding; }

    std::vector<cFileItem>::const_iterator begin() const noexcept { return items_.begin(); }
    std::vector<cFileItem>::const_iterator end() const noexcept { return items_.end(); }

private:
    std::vector<cFileItem> items_;
    std::unordered_map<std::wstring, size_t> positions_;   // key text to index into items_
    ListEncoding encoding_ = ListEncoding::Ansi;
};

// The one pattern collection of the process.
extern FileCollection colFiles;

}  // namespace modMain
