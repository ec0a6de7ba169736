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
    auto literal = [](const Token& token) { return token.kind == Kind::Literal; };
    leading_ = static_cast<size_t>(std::find_if_not(tokens_.begin(), tokens_.end(), literal) - tokens_.begin());
    if (leading_ == tokens_.size()) return;
    trailing_ = static_cast<size_t>(std::find_if_not(tokens_.rbegin(), tokens_.rend(), literal) - tokens_.rbegin());
    std::wstring run;
    for (size_t i = leading_; i < tokens_.size() - trailing_; ++i) {
        if (literal(tokens_[i])) run.push_back(tokens_[i].upper);
        else run.clear();
        if (run.size() > inner_.size()) inner_ = run;
    }
}

bool WildcardPattern::HasInner(std::wstring_view name) const {
    if (inner_.empty()) return true;
    const size_t end = name.size() - trailing_;
    for (size_t at = leading_; at + inner_.size() <= end; ++at) {
        size_t i = 0;
        while (i < inner_.size() && UpperChar(name[at + i]) == inner_[i]) ++i;
        if (i == inner_.size()) return true;
    }
    return false;
}

// The set of expression positions reached after each name character, as in
// the file system's own test; moves without a character only go forward, so
// one ascending pass per step closes the set.
bool WildcardPattern::Matches(std::wstring_view name) const {
    if (!canMatch_ || name.size() < leading_ + trailing_) return false;
    const size_t count = tokens_.size();
    for (size_t i = 0; i < leading_; ++i)
        if (UpperChar(name[i]) != tokens_[i].upper) return false;
    for (size_t i = 1; i <= trailing_; ++i)
        if (UpperChar(name[name.size() - i]) != tokens_[count - i].upper) return false;
    if (!HasInner(name)) return false;
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
    const size_t count = tokens_.size();
    if (!canMatch_ || count == 0) return Shape::Other;
    const Kind first = tokens_.front().kind;
    Shape shape = Shape::Other;
    if (leading_ == count) shape = Shape::Exact;
    else if (count > 1 && trailing_ == count - 1 && (first == Kind::Star || first == Kind::DosStar)) shape = Shape::Suffix;
    else if (count > 1 && leading_ == count - 1 && tokens_.back().kind == Kind::Star) shape = Shape::Prefix;
    if (shape == Shape::Other) return shape;
    const size_t from = shape == Shape::Suffix ? 1 : 0;
    for (size_t i = from; i < from + (shape == Shape::Exact ? count : count - 1); ++i) fixed.push_back(tokens_[i].upper);
    return shape;
}

bool MatchesPattern(std::wstring_view name, std::wstring_view pattern) {
    return WildcardPattern(pattern).Matches(name);
}

bool IsPlainPattern(std::wstring_view pattern) {
    return pattern.find_first_of(L"\\/:") == std::wstring_view::npos;
}

}  // namespace modMain
