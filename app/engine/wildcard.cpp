#include "wildcard.h"

#include <algorithm>
#include "text_case.h"

namespace modMain {

WildcardPattern::WildcardPattern(std::wstring_view pattern) {
    if (!IsPlainPattern(pattern)) {
        canMatch_ = false;
        return;
    }
    bool endsInDot = false;
    while (!pattern.empty() && (pattern.back() == L'.' || pattern.back() == L' ')) {
        endsInDot = endsInDot || pattern.back() == L'.';
        pattern.remove_suffix(1);
    }
    if (pattern.empty()) {
        canMatch_ = false;
        return;
    }
    if (pattern == L"*.*") {
        tokens_.push_back({Kind::Star, 0});
        return;
    }
    for (const wchar_t c : pattern) {
        const bool hasPrevious = !tokens_.empty();
        if (c == L'.' && hasPrevious && tokens_.back().kind == Kind::Star) tokens_.back().kind = Kind::DosStar;
        if (c == L'?' || c == L'*') {
            if (hasPrevious && tokens_.back().kind == Kind::Literal && tokens_.back().upper == L'.')
                tokens_.back().kind = Kind::DosDot;
            tokens_.push_back({c == L'?' ? Kind::DosQm : Kind::Star, 0});
        } else {
            // "<", ">" and '"' stay literal: no file name holds them.
            tokens_.push_back({Kind::Literal, UpperChar(c)});
        }
    }
    if (endsInDot && tokens_.back().kind == Kind::Star) tokens_.back().kind = Kind::DosStar;
}

// The set of expression positions reached after each name character, as in
// the file system's own test; moves without a character only go forward, so
// one ascending pass per step closes the set.
bool WildcardPattern::Matches(std::wstring_view name) const {
    if (!canMatch_) return false;
    const size_t count = tokens_.size();
    constexpr size_t kInline = 64;
    unsigned char inlineStates[2][kInline + 1];
    std::vector<unsigned char> heapStates;
    unsigned char* current = inlineStates[0];
    unsigned char* next = inlineStates[1];
    if (count + 1 > kInline + 1) {
        heapStates.assign(2 * (count + 1), 0);
        current = heapStates.data();
        next = current + count + 1;
    }
    const size_t lastDot = name.rfind(L'.');

    auto close = [&](unsigned char* states, size_t at) {
        const bool atEnd = at == name.size();
        const bool atDot = !atEnd && name[at] == L'.';
        for (size_t p = 0; p < count; ++p) {
            if (!states[p]) continue;
            switch (tokens_[p].kind) {
            case Kind::Star:
            case Kind::DosStar: states[p + 1] = 1; break;
            case Kind::DosQm: if (atEnd || atDot) states[p + 1] = 1; break;
            case Kind::DosDot: if (atEnd) states[p + 1] = 1; break;
            case Kind::Literal: break;
            }
        }
    };

    std::fill(current, current + count + 1, 0);
    current[0] = 1;
    close(current, 0);
    for (size_t i = 0; i < name.size(); ++i) {
        const wchar_t c = name[i];
        const wchar_t upper = UpperChar(c);
        std::fill(next, next + count + 1, 0);
        bool any = false;
        for (size_t p = 0; p < count; ++p) {
            if (!current[p]) continue;
            const Token& token = tokens_[p];
            size_t to = count + 1;   // none
            switch (token.kind) {
            case Kind::Star: to = p; break;
            case Kind::DosStar: if (c != L'.' || i != lastDot) to = p; break;
            case Kind::DosQm: if (c != L'.') to = p + 1; break;
            case Kind::DosDot: if (c == L'.') to = p + 1; break;
            case Kind::Literal: if (upper == token.upper) to = p + 1; break;
            }
            if (to <= count) {
                next[to] = 1;
                any = true;
            }
        }
        if (!any) return false;
        close(next, i + 1);
        std::swap(current, next);
    }
    return current[count] != 0;
}

// A "*" before a "." is DOS_STAR, which never takes the name's last dot; the
// suffix then starts with a dot, so the last dot is in the suffix and DOS_STAR
// takes the rest like "*".
WildcardPattern::Shape WildcardPattern::ShapeOf(std::wstring& fixed) const {
    fixed.clear();
    if (!canMatch_) return Shape::Other;
    auto literal = [](const Token& token) { return token.kind == Kind::Literal; };
    const bool leadingStar = !tokens_.empty() && (tokens_.front().kind == Kind::Star ||
                                                  (tokens_.front().kind == Kind::DosStar && tokens_.size() > 1));
    const bool trailingStar = !tokens_.empty() && tokens_.back().kind == Kind::Star;
    const auto first = tokens_.begin() + (leadingStar ? 1 : 0);
    const auto last = tokens_.end() - (trailingStar && !leadingStar ? 1 : 0);
    if (first == last || !std::all_of(first, last, literal)) return Shape::Other;
    for (auto token = first; token != last; ++token) fixed.push_back(token->upper);
    if (leadingStar) return Shape::Suffix;
    return trailingStar ? Shape::Prefix : Shape::Exact;
}

bool MatchesPattern(std::wstring_view name, std::wstring_view pattern) {
    return WildcardPattern(pattern).Matches(name);
}

bool IsPlainPattern(std::wstring_view pattern) {
    return pattern.find_first_of(L"\\/:") == std::wstring_view::npos;
}

}  // namespace modMain
