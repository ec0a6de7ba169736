#pragma once
// File-name patterns under the platform's wildcard rules, applied to long names
// only. A pattern is first rewritten as the platform's directory search does
// before it reaches the file system:
//   trailing dots and spaces are dropped (as from any path), and "*.*" is "*";
//   every "?" becomes DOS_QM: one character, or none at a "." or the end;
//   a "." before "?" or "*" becomes DOS_DOT: a ".", or nothing at the end;
//   a "*" before "." becomes DOS_STAR: any run that does not take the last ".";
//   a last "*" becomes DOS_STAR too when the pattern ended in a dropped ".".
// The rewritten expression is then matched, ignoring letter case, by the rules
// of the file system's name-in-expression test. So "~*.*" matches "~notes",
// "*." matches only names without a dot, and "x.tm?" matches "x.tm".
#include <string>
#include <string_view>
#include <vector>

namespace modMain {

class WildcardPattern {
public:
    explicit WildcardPattern(std::wstring_view pattern);

    bool Matches(std::wstring_view longName) const;
    // False for patterns that can match no name ("", ".", a directory part, ...).
    bool CanMatch() const noexcept { return canMatch_; }

    // What the rewritten expression is, for a set to key it by its fixed text
    // (upper-cased): Exact matches that whole name, Suffix any name that ends in
    // it, Prefix any that starts with it; anything else is Other.
    enum class Shape { Exact, Suffix, Prefix, Other };
    Shape ShapeOf(std::wstring& fixed) const;

private:
    enum class Kind : unsigned char { Literal, Star, DosStar, DosQm, DosDot };
    struct Token {
        Kind kind;
        wchar_t upper;   // the upper-cased character of a Literal
    };

    bool HasInner(std::wstring_view name) const;

    std::vector<Token> tokens_;
    // The literals the expression starts and ends with: a name must have them
    // there, which rules most names out before the full test.
    size_t leading_ = 0;
    size_t trailing_ = 0;
    // The longest run of literals between them, which a name must hold somewhere.
    std::wstring inner_;
    bool canMatch_ = true;
};

// Whether a long file name matches a pattern under the rules above.
// Short 8.3 aliases play no part.
bool MatchesPattern(std::wstring_view name, std::wstring_view pattern);

// Patterns with a directory part or a drive ("\", "/" or ":") are applied nowhere.
bool IsPlainPattern(std::wstring_view pattern);

}  // namespace modMain
