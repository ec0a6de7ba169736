#include "leftover_check.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "long_path.h"
#include "temp_tree.h"

namespace modMain {
namespace {

using enginetest::TempTree;

Location At(const TempTree& tree, const std::wstring& relative) {
    const std::wstring path = tree.Path(relative);
    return {ExtendedPath(path), path};
}

// Answers come in the order asked, each for its own directory; a directory that
// is gone is asked name by name, and its names are gone too.
TEST(LeftoverCheck, AnswersEachDirectoryInTheOrderAsked) {
    TempTree tree;
    tree.Dir(L"a");
    tree.Dir(L"b");
    tree.File(L"a\\stays.tmp");
    tree.File(L"b\\stays.tmp");
    LeftoverCheck check;
    EXPECT_FALSE(check.Ready().has_value());   // nothing asked yet
    check.Ask(At(tree, L"a"), {L"stays.tmp", L"gone.tmp"});
    check.Ask(At(tree, L"b"), {L"gone.tmp", L"stays.tmp", L"STAYS.TMP"});
    check.Ask(At(tree, L"removed"), {L"stays.tmp"});
    EXPECT_EQ(check.Wait(), (std::vector<bool>{true, false}));
    EXPECT_EQ(check.Wait(), (std::vector<bool>{false, true, false}));   // the name as listed, not its case
    EXPECT_EQ(check.Wait(), (std::vector<bool>{false}));
    EXPECT_FALSE(check.Ready().has_value());
}

// Questions still out when the check ends are dropped, not waited for.
TEST(LeftoverCheck, EndsWithQuestionsStillOut) {
    TempTree tree;
    LeftoverCheck check;
    for (int i = 0; i < 50; ++i) check.Ask(At(tree, L""), {L"x.tmp"});
}

}  // namespace
}  // namespace modMain
