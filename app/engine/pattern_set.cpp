#include "pattern_set.h"

#include <algorithm>
#include <stdexcept>
#include "text_case.h"

namespace modMain {

void PatternSet::Add(std::wstring_view pattern) {
    if (size_ >= kNone) throw std::length_error("Too many patterns.");
    const uint32_t index = static_cast<uint32_t>(size_++);
    next_.push_back(kNone);
    WildcardPattern compiled(pattern);
    std::wstring fixed;
    switch (compiled.ShapeOf(fixed)) {
    case WildcardPattern::Shape::Exact: Insert(exact_, std::move(fixed), index); break;
    case WildcardPattern::Shape::Suffix: Insert(suffixes_, std::move(fixed), index); break;
    case WildcardPattern::Shape::Prefix: Insert(prefixes_, std::move(fixed), index); break;
    case WildcardPattern::Shape::Other:
        if (compiled.CanMatch()) others_.push_back(Other{index, std::move(compiled)});
        break;
    }
}

void PatternSet::Reserve(size_t patterns) {
    next_.reserve(size_ + patterns);
    exact_.chains.reserve(exact_.chains.size() + patterns);
}

void PatternSet::Insert(Table& table, std::wstring fixed, uint32_t index) {
    const size_t length = fixed.size();
    const auto [at, added] = table.chains.try_emplace(std::move(fixed), Chain{index, index});
    if (added) {
        if (std::find(table.lengths.begin(), table.lengths.end(), length) == table.lengths.end())
            table.lengths.push_back(length);
        return;
    }
    next_[at->second.last] = index;
    at->second.last = index;
}

template <typename Found>
bool PatternSet::Visit(const Table& table, std::wstring_view upperName, End end, Found found) const {
    if (table.chains.empty()) return false;
    // One key to build and look up per length; the map's keys are whole strings.
    std::wstring key;
    for (const size_t length : table.lengths) {
        if (length > upperName.size() || (end == End::Whole && length != upperName.size())) continue;
        key.assign(end == End::Back ? upperName.substr(upperName.size() - length) : upperName.substr(0, length));
        const auto chain = table.chains.find(key);
        if (chain == table.chains.end()) continue;
        for (uint32_t i = chain->second.first; i != kNone; i = next_[i])
            if (found(i)) return true;
    }
    return false;
}

template <typename Found>
bool PatternSet::VisitAll(std::wstring_view name, Found found) const {
    const std::wstring upper = UpperCase(name);
    if (Visit(exact_, upper, End::Whole, found) || Visit(suffixes_, upper, End::Back, found) ||
        Visit(prefixes_, upper, End::Front, found))
        return true;
    for (const Other& other : others_)
        if (other.pattern.Matches(name) && found(other.index)) return true;
    return false;
}

bool PatternSet::AnyMatches(std::wstring_view name) const {
    return VisitAll(name, [](size_t) { return true; });
}

std::vector<size_t> PatternSet::MatchesOf(std::wstring_view name) const {
    std::vector<size_t> found;
    VisitAll(name, [&found](size_t index) {
        found.push_back(index);
        return false;
    });
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace modMain
