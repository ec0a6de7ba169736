#include "wildcard.h"

#include <gtest/gtest.h>

namespace modMain {
namespace {

struct MatchRow {
    const wchar_t* pattern;
    const wchar_t* name;
    bool matches;
};

std::ostream& operator<<(std::ostream& out, const MatchRow& row) {
    char text[256];
    snprintf(text, sizeof text, "%ls vs %ls", row.pattern, row.name);
    return out << text;
}

class WildcardRules : public ::testing::TestWithParam<MatchRow> {};

TEST_P(WildcardRules, LongNameAgainstPattern) {
    const MatchRow& row = GetParam();
    EXPECT_EQ(MatchesPattern(row.name, row.pattern), row.matches);
}

INSTANTIATE_TEST_SUITE_P(
    Plain, WildcardRules,
    ::testing::Values(MatchRow{L"Thumbs.db", L"Thumbs.db", true}, MatchRow{L"Thumbs.db", L"THUMBS.DB", true},
                      MatchRow{L"Thumbs.db", L"Thumbs.db2", false}, MatchRow{L"Thumbs.db", L"xThumbs.db", false},
                      MatchRow{L"*", L"anything.at.all", true}, MatchRow{L"*", L".hidden", true},
                      MatchRow{L"*x*", L"abxcd", true}, MatchRow{L"*x*", L"abcd", false},
                      MatchRow{L"a*b*c", L"a.b.c", true}, MatchRow{L"a*b*c", L"aXbYcZ", false},
                      MatchRow{L"*ab?cd*", L"xAB.CDABXCD", true}, MatchRow{L"*ab*cd*", L"xcdyab", false}));

// "*" before "." takes any run but the last dot, so the extension is the last one.
INSTANTIATE_TEST_SUITE_P(
    Extensions, WildcardRules,
    ::testing::Values(MatchRow{L"*.tmp", L"x.tmp", true}, MatchRow{L"*.tmp", L"X.TMP", true},
                      MatchRow{L"*.tmp", L"x.tmpl", false}, MatchRow{L"*.tmp", L"report12.tmpl", false},
                      MatchRow{L"*.tmp", L"a.b.tmp", true}, MatchRow{L"*.tmp", L"x.tmp.bak", false},
                      MatchRow{L"*.tmp", L".tmp", true}, MatchRow{L"*.tmp", L"tmp", false},
                      MatchRow{L"*.old", L"x.oldies", false}, MatchRow{L"*.old", L"x.old", true},
                      MatchRow{L"*.bak", L"bak", false}, MatchRow{L"*.b", L"a.b.c.b", true}));

// A "." before "*" or "?" also matches the end of the name: no extension at all.
INSTANTIATE_TEST_SUITE_P(
    DosDot, WildcardRules,
    ::testing::Values(MatchRow{L"~*.*", L"~notes", true}, MatchRow{L"~*.*", L"~notes.txt", true},
                      MatchRow{L"~*.*", L"notes~", false}, MatchRow{L"*.*", L"noext", true},
                      MatchRow{L"*.*", L"a.b.c", true}, MatchRow{L"*.*", L".x", true},
                      MatchRow{L"a.*", L"a", true}, MatchRow{L"a.*", L"a.txt", true},
                      MatchRow{L"a.*", L"ab", false}, MatchRow{L"a.?", L"a", true},
                      MatchRow{L"a.?", L"a.b", true}, MatchRow{L"a.?", L"a.bc", false},
                      MatchRow{L".*", L".hidden", true}, MatchRow{L".*", L"plain", false}));

// "?" is one character, or none at a "." or the end of the name; never a ".".
INSTANTIATE_TEST_SUITE_P(
    DosQuestionMark, WildcardRules,
    ::testing::Values(MatchRow{L"FILE????.CHK", L"FILE0001.CHK", true},
                      MatchRow{L"FILE????.CHK", L"FILE1.CHK", true},
                      MatchRow{L"FILE????.CHK", L"FILE12345.CHK", false},
                      MatchRow{L"FILE????.CHK", L"FILE.CHK", true}, MatchRow{L"a?", L"a", true},
                      MatchRow{L"a?", L"ab", true}, MatchRow{L"a?", L"abc", false}, MatchRow{L"a?c", L"ac", false},
                      MatchRow{L"a?c", L"abc", true}, MatchRow{L"a?c", L"a.c", false},
                      MatchRow{L"x.tm?", L"x.tm", true}, MatchRow{L"x.tm?", L"x.tmp", true},
                      MatchRow{L"x.tm?", L"x.tmpl", false}, MatchRow{L"??.txt", L"a.txt", true},
                      MatchRow{L"?x", L".x", false}));

// Trailing dots and spaces go, as from any path; a dropped dot after "*" means
// "no extension".
INSTANTIATE_TEST_SUITE_P(
    TrailingDots, WildcardRules,
    ::testing::Values(MatchRow{L"*.", L"noext", true}, MatchRow{L"*.", L"has.ext", false},
                      MatchRow{L"*.", L".hidden", false}, MatchRow{L"a.", L"a", true}, MatchRow{L"a.", L"a.b", false},
                      MatchRow{L"*.tmp.", L"x.tmp", true}, MatchRow{L"*.tmp ", L"x.tmp", true},
                      MatchRow{L".", L"anything", false}, MatchRow{L"..", L"x", false}, MatchRow{L"", L"x", false}));

// Case is ignored by the invariant mapping, whatever the user's locale.
INSTANTIATE_TEST_SUITE_P(
    Case, WildcardRules,
    ::testing::Values(MatchRow{L"\u00e9t\u00e9.*", L"\u00c9T\u00c9.TXT", true},
                      MatchRow{L"\u0444\u0430\u0439\u043b.tmp", L"\u0424\u0410\u0419\u041b.TMP", true},
                      MatchRow{L"i*", L"I.txt", true}, MatchRow{L"x*", L"y", false}));

INSTANTIATE_TEST_SUITE_P(
    NoDirectoryPart, WildcardRules,
    ::testing::Values(MatchRow{L"..\\*.tmp", L"x.tmp", false}, MatchRow{L"sub/x.tmp", L"x.tmp", false},
                      MatchRow{L"C:*.tmp", L"x.tmp", false},
                      // The DOS wildcard characters typed by hand are plain characters.
                      MatchRow{L"<.tmp", L"x.tmp", false}, MatchRow{L"x>", L"x", false}));

TEST(Wildcard, PlainPatternsHaveNoDirectoryOrDrive) {
    EXPECT_TRUE(IsPlainPattern(L"*.tmp"));
    EXPECT_TRUE(IsPlainPattern(L"~*.*"));
    EXPECT_FALSE(IsPlainPattern(L"a\\b"));
    EXPECT_FALSE(IsPlainPattern(L"a/b"));
    EXPECT_FALSE(IsPlainPattern(L"C:x"));
    EXPECT_FALSE(WildcardPattern(L"C:x").CanMatch());
    EXPECT_FALSE(WildcardPattern(L"...").CanMatch());
    EXPECT_TRUE(WildcardPattern(L"x").CanMatch());
}

TEST(Wildcard, LongPatternsAndNamesStillMatch) {
    std::wstring pattern;
    std::wstring name;
    for (int i = 0; i < 100; ++i) {
        pattern += L"*a";
        name += L"xa";
    }
    EXPECT_TRUE(MatchesPattern(name, pattern));
    EXPECT_FALSE(MatchesPattern(name + L"x", pattern));
    EXPECT_TRUE(MatchesPattern(std::wstring(255, L'q') + L".tmp", L"*.tmp"));
}

}  // namespace
}  // namespace modMain
