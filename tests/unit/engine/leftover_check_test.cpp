#include "leftover_check.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "temp_tree.h"

namespace modMain {
namespace {

using enginetest::TempTree;

TriedFolder Tried(const TempTree& tree, const std::wstring& relative, const std::vector<std::wstring>& names) {
    TriedFolder tried;
    tried.folder = HoldStart(tree.Path(relative), FolderSharing::Open);
    for (const std::wstring& name : names) tried.files.push_back(TriedFile{name, 0, Removal::Deleted});
    return tried;
}

std::vector<bool> Answer(const TriedFolder& tried) {
    std::vector<bool> still;
    for (const TriedFile& file : tried.files) still.push_back(file.stillThere);
    return still;
}

// Each record comes back with the answer for its own folder, read through the
// folder's handle, on the check's thread or at once: the name as listed, not its case.
TEST(LeftoverCheck, EachRecordComesBackWithItsOwnFoldersAnswer) {
    TempTree tree;
    tree.Dir(L"a");
    tree.Dir(L"b");
    tree.File(L"a\\stays.tmp");
    tree.File(L"b\\stays.tmp");
    for (const bool ownThread : {true, false}) {
        LeftoverCheck check(ownThread);
        EXPECT_FALSE(check.Ready().has_value()) << "nothing asked yet";
        check.Ask(Tried(tree, L"a", {L"stays.tmp", L"gone.tmp"}));
        check.Ask(Tried(tree, L"b", {L"gone.tmp", L"stays.tmp", L"STAYS.TMP"}));
        EXPECT_EQ(check.Outstanding(), 2u);
        for (int i = 0; i < 2; ++i) {
            const TriedFolder answered = check.Wait();
            EXPECT_FALSE(answered.failure);
            if (answered.folder->shown == tree.Path(L"a"))
                EXPECT_EQ(Answer(answered), (std::vector<bool>{true, false})) << ownThread;
            else
                EXPECT_EQ(Answer(answered), (std::vector<bool>{false, true, false})) << ownThread;
        }
        EXPECT_EQ(check.Outstanding(), 0u);
        EXPECT_FALSE(check.Ready().has_value());
    }
}

}  // namespace
}  // namespace modMain
