#pragma once
// A run's patterns compiled once, so that a name is not tried against each in
// turn: exact names in one hash table, "*fixed" and "fixed*" patterns in tables
// keyed by their fixed text, and only the rest tried one by one. A name's
// matches are exactly those of WildcardPattern, in list order. Reading a set
// from several threads at once is safe; adding is not.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>
#include "wildcard.h"

namespace modMain {

class PatternSet {
public:
    // The next pattern of the list: its index is the number added before it.
    void Add(std::wstring_view pattern);
    // Room for this many patterns, most of them exact names, added next.
    void Reserve(size_t patterns);
    size_t Size() const noexcept { return size_; }

    bool AnyMatches(std::wstring_view name) const;
    // The indices of the patterns that match, ascending.
    std::vector<size_t> MatchesOf(std::wstring_view name) const;

private:
    // The patterns of one fixed text, in list order: a chain through next_.
    struct Chain {
        uint32_t first;
        uint32_t last;
    };
    // One table per kind of fixed text; with the lengths its keys have, so that
    // a name is looked up once per length, not once per pattern.
    struct Table {
        std::unordered_map<std::wstring, Chain> chains;
        std::vector<size_t> lengths;
    };
    struct Other {
        uint32_t index;
        WildcardPattern pattern;
    };
    enum class End { Whole, Front, Back };

    void Insert(Table& table, std::wstring fixed, uint32_t index);
    // Calls found(index) for each pattern of the table whose fixed text the
    // name has at end; stops when found returns true, and returns whether it did.
    template <typename Found>
    bool Visit(const Table& table, std::wstring_view upperName, End end, Found found) const;
    template <typename Found>
    bool VisitAll(std::wstring_view name, Found found) const;

    Table exact_, suffixes_, prefixes_;
    std::vector<Other> others_;
    std::vector<uint32_t> next_;   // the next pattern of the same fixed text, or kNone
    size_t size_ = 0;
    static constexpr uint32_t kNone = UINT32_MAX;
};

}  // namespace modMain
