// Another user who can write inside the tree swaps a part of it for a link to
// an outside copy while the sweep runs, at a known moment: the sweep's first
// yield in the second folder below "top", the first one being done. Whatever was swapped, and whether the
// reader had opened it ahead or not, nothing outside is deleted or recycled,
// and the counts say exactly what went.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "sweep.h"
#include "directory_listing.h"
#include "held_folder.h"
#include "temp_tree.h"
#include "test_support.h"

namespace modMain {
namespace {

using enginetest::ListOf;
using enginetest::RunHost;
using enginetest::TempTree;
using enginetest::UnderWine;

constexpr int kFolders = 40;   // more than the reader opens ahead

enum class Swapped { NearFolder, FarFolder, Ancestor, Start, NearFile, FarFile };

struct Race {
    const char* name;
    Swapped swapped;
    SweepAction action;
};

// Performs the swap once, at the first yield after the trigger folder is entered.
class SwappingHost : public SweepHost {
public:
    SwappingHost(std::wstring trigger, std::function<void()> swap) : trigger_(std::move(trigger)), swap_(std::move(swap)) {}
    void EnterFolder(const std::wstring& folder) override {
        entered.push_back(folder);
        armed_ = armed_ || folder == trigger_;
    }
    bool Yield() override {
        if (armed_ && swap_) {
            swap_();
            swap_ = {};
        }
        return true;
    }
    std::vector<std::wstring> entered;

private:
    std::wstring trigger_;
    std::function<void()> swap_;
    bool armed_ = false;
};

class SweepRaceTest : public ::testing::TestWithParam<Race> {
protected:
    void SetUp() override {
        if (!UnderWine()) GTEST_SKIP() << "the other user is a host program under Wine";
        enginetest::RecycleBinHome();
        for (const wchar_t* side : {L"start", L"outside"}) {
            tree.Dir(side);
            tree.Dir(std::wstring(side) + L"\\top");
            for (int k = 0; k < kFolders; ++k) {
                const std::wstring folder = std::wstring(side) + L"\\top\\d" + std::to_wstring(k);
                tree.Dir(folder);
                tree.File(folder + L"\\x.tmp", "data");
            }
        }
        // The sweep meets top's folders in the listing's order.
        const DirectoryListing top =
            ListDirectory(HoldStart(tree.Path(L"start\\top"), FolderSharing::Open)->handle.get(), L"");
        for (const SubfolderEntry& entry : top.subdirectories) order.push_back(entry.name);
    }

    // Renames from to to, then puts a link to target at from, as a Linux program
    // would: share modes do not stop it.
    void SwapForLink(const std::wstring& from, const std::wstring& to, const std::wstring& target) {
        RunHost(L"Z:\\bin\\mv", L"mv " + Wide(tree.HostPath(from)) + L" " + Wide(tree.HostPath(to)));
        ASSERT_TRUE(Eventually([&] { return tree.Exists(to) && !tree.Exists(from); }));
        ASSERT_TRUE(tree.Link(tree.HostPath(target), from));
    }
    static std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }
    static bool Eventually(const std::function<bool()>& done) {
        for (int i = 0; i < 500 && !done(); ++i) ::Sleep(10);
        return done();
    }

    TempTree tree;
    std::vector<std::wstring> order;
};

TEST_P(SweepRaceTest, NothingOutsideTheTreeIsTouchedAndTheCountsSayWhatWent) {
    const Race race = GetParam();
    const std::wstring nearFolder = L"top\\" + order[2];
    const std::wstring farFolder = L"top\\" + order.back();
    // Where each original file of the tree is once the swap is done.
    std::vector<std::wstring> originals;
    for (const std::wstring& name : order) originals.push_back(L"start\\top\\" + name + L"\\x.tmp");
    auto moved = [&](const std::wstring& from, const std::wstring& to) {
        for (std::wstring& path : originals)
            if (path.rfind(from, 0) == 0) path = to + path.substr(from.size());
    };
    std::function<void()> swap;
    switch (race.swapped) {
    case Swapped::NearFolder:
    case Swapped::FarFolder: {
        const std::wstring folder = race.swapped == Swapped::NearFolder ? nearFolder : farFolder;
        moved(L"start\\" + folder + L"\\", L"start\\" + folder + L".old\\");
        swap = [=] { SwapForLink(L"start\\" + folder, L"start\\" + folder + L".old", L"outside\\" + folder); };
        break;
    }
    case Swapped::Ancestor:
        moved(L"start\\top\\", L"start\\top.old\\");
        swap = [=] { SwapForLink(L"start\\top", L"start\\top.old", L"outside\\top"); };
        break;
    case Swapped::Start:
        moved(L"start\\", L"start.old\\");
        swap = [=] { SwapForLink(L"start", L"start.old", L"outside"); };
        break;
    case Swapped::NearFile:
    case Swapped::FarFile: {
        const std::wstring file = (race.swapped == Swapped::NearFile ? nearFolder : farFolder) + L"\\x.tmp";
        moved(L"start\\" + file, L"start\\" + file + L".old");
        swap = [=] { SwapForLink(L"start\\" + file, L"start\\" + file + L".old", L"outside\\" + file); };
        break;
    }
    }
    SwappingHost host(tree.Path(L"start\\top\\" + order[1]), swap);
    const FileCollection patterns = ListOf({L"*.tmp"});
    SweepOptions options;
    options.action = race.action;
    Sweep sweep(host, patterns, options);
    int32_t directories = 0;
    int32_t files = 0;
    try {
        sweep.SweepFolder(tree.Path(L"start"), directories, files);
    } catch (const win32::Error&) {
        // A part of the tree that is no longer there may end the run; what it did still counts.
    }
    for (int k = 0; k < kFolders; ++k)
        EXPECT_EQ(tree.Read(L"outside\\top\\d" + std::to_wstring(k) + L"\\x.tmp"), "data") << k;
    int32_t gone = 0;
    for (const std::wstring& path : originals) gone += tree.Exists(path) ? 0 : 1;
    EXPECT_GT(gone, 0) << "the sweep had begun";
    EXPECT_EQ(files - sweep.FailedDeletions() - sweep.AlreadyGone(), gone);
    if (race.swapped == Swapped::FarFolder) {
        for (const std::wstring& folder : host.entered) EXPECT_NE(folder, tree.Path(L"start\\" + farFolder));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Swaps, SweepRaceTest,
    ::testing::Values(Race{"NearFolder", Swapped::NearFolder, SweepAction::Delete},
                      Race{"FarFolder", Swapped::FarFolder, SweepAction::Delete},
                      Race{"Ancestor", Swapped::Ancestor, SweepAction::Delete},
                      Race{"Start", Swapped::Start, SweepAction::Delete},
                      Race{"NearFile", Swapped::NearFile, SweepAction::Delete},
                      Race{"FarFile", Swapped::FarFile, SweepAction::Delete},
                      Race{"RecycledNearFolder", Swapped::NearFolder, SweepAction::Recycle},
                      Race{"RecycledFarFolder", Swapped::FarFolder, SweepAction::Recycle},
                      Race{"RecycledAncestor", Swapped::Ancestor, SweepAction::Recycle},
                      Race{"RecycledStart", Swapped::Start, SweepAction::Recycle},
                      Race{"RecycledFarFile", Swapped::FarFile, SweepAction::Recycle}),
    [](const ::testing::TestParamInfo<Race>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace modMain
