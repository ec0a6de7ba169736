#include "pattern_set.h"

#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace modMain {
namespace {

// Every kind the set keys (exact, "*fixed", "fixed*"), repeated and in mixed
// case, between ones it tries in turn; and ones that look keyed but are not.
const wchar_t* const kPatterns[] = {
    L"Thumbs.db", L"*.tmp",     L"report*",  L"~*.*",       L"thumbs.DB", L"*.TMP",   L"a?c",   L"*x*",
    L"my file.txt", L"*.tar.gz", L"*gz",     L"a*b.txt",    L"FILE????.CHK", L"*.",   L"name.", L"x.tm?",
    L"*.tmp ",  L"READ*",       L"a.*",      L"*",          L"dir\\x.tmp", L"",       L"*.b",   L"a b c",
    L"rep*.",   L"*.tmp.",      L"*report",
};

const wchar_t* const kNames[] = {
    L"Thumbs.db", L"THUMBS.DB", L"thumbs.db2", L"x.tmp",  L"X.TMP",     L"x.tmpl",   L"a.b.tmp",   L"x.tmp.bak",
    L".tmp",      L"tmp",       L"report",     L"Report 2.txt", L"~notes", L"~a.b",  L"abc",       L"ac",
    L"a.c",       L"my file.txt", L"MY FILE.TXT", L"myfile.txt", L"x.tar.gz", L"y.gz", L"gz",      L"axb.txt",
    L"ab.txt",    L"FILE1.CHK", L"FILE.CHK",   L"noext",     L"name",     L"name.x",   L"x.tm",      L"a",
    L"a.b.c.b",   L"a b c",     L"A B C",      L"x",         L"\u00E9t\u00E9.tmp", L"\u00C9T\u00C9.TMP",
};

TEST(PatternSet, GivesThePlainMatchersMatchesInListOrder) {
    PatternSet set;
    for (const wchar_t* pattern : kPatterns) set.Add(pattern);
    for (const wchar_t* name : kNames) {
        std::vector<size_t> expected;
        for (size_t p = 0; p < std::size(kPatterns); ++p)
            if (MatchesPattern(name, kPatterns[p])) expected.push_back(p);
        EXPECT_EQ(set.MatchesOf(name), expected) << name;
        EXPECT_EQ(set.AnyMatches(name), !expected.empty());
    }
    // Each kind alone, first in its list: no other pattern may hide a wrong answer.
    for (const wchar_t* pattern : kPatterns) {
        PatternSet one;
        one.Add(pattern);
        for (const wchar_t* name : kNames) EXPECT_EQ(one.AnyMatches(name), MatchesPattern(name, pattern)) << pattern << L" vs " << name;
    }
}

}  // namespace
}  // namespace modMain
