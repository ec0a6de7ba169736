#include "sweep.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include "temp_tree.h"
#include "test_support.h"
#include "handle_owners.h"
#include "error.h"
#include "relative_open.h"

namespace modMain {
namespace {

using enginetest::FailureOf;
using enginetest::ListOf;
using enginetest::TempTree;
using enginetest::UnderWine;
using Events = std::vector<std::wstring>;

// Records the caption and yield sequence; can act at a given yield.
class RecordingHost : public SweepHost {
public:
    void EnterFolder(const std::wstring& folder) override { events.push_back(L"Scourway - " + folder); }
    bool Yield() override {
        events.push_back(L"yield");
        ++yields;
        if (onYield) return onYield(yields);
        return true;
    }

    Events events;
    int yields = 0;
    std::function<bool(int)> onYield;
};

std::wstring Caption(const std::wstring& path) { return L"Scourway - " + path; }

SweepOptions Options(SweepAction action, std::function<void(const std::wstring&)> onMatch = {}, bool preview = false,
                     std::function<void(const std::wstring&, StayReason)> onStay = {}) {
    SweepOptions options;
    options.action = action;
    options.onMatch = std::move(onMatch);
    options.preview = preview;
    options.onStay = std::move(onStay);
    return options;
}

class SweepTest : public ::testing::Test {
protected:
    // Sweeps the tree's root (or path) with the patterns.
    void Run(const FileCollection& patterns, const std::wstring& path = {}, SweepOptions options = {}) {
        Sweep sweep(host, patterns, std::move(options));
        sweep.SweepFolder(path.empty() ? tree.Root() : path, directories, files);
        failed = sweep.FailedDeletions();
        alreadyGone = sweep.AlreadyGone();
        freed = sweep.FreedBytes();
    }

    TempTree tree;
    RecordingHost host;
    int32_t directories = 0;
    int32_t files = 0;
    int32_t failed = 0;
    int32_t alreadyGone = 0;
    ULONGLONG freed = 0;
};

TEST_F(SweepTest, EmptyDirectoryIsCountedAndShown) {
    Run(ListOf({L"*.tmp"}));
    EXPECT_EQ(directories, 1);
    EXPECT_EQ(files, 0);
    EXPECT_EQ(host.events, (Events{Caption(tree.Root()), L"yield"}));
}

TEST_F(SweepTest, FiveDirectoriesPreOrderDepthFirst) {
    for (const wchar_t* d : {L"b", L"b\\b1", L"a", L"a\\a1"}) tree.Dir(d);
    const Events expected{Caption(tree.Root()),       L"yield", L"yield", Caption(tree.Path(L"a")),
                          L"yield",                   L"yield", Caption(tree.Path(L"a\\a1")), L"yield",
                          L"yield",                   Caption(tree.Path(L"b")), L"yield", L"yield",
                          Caption(tree.Path(L"b\\b1")), L"yield"};
    Run(ListOf({L"*.tmp"}));
    EXPECT_EQ(directories, 5);
    EXPECT_EQ(host.events, expected);

    // With a trailing separator: the same walk, the same captions.
    host.events.clear();
    Run(ListOf({L"*.tmp"}), tree.Root() + L"\\");
    EXPECT_EQ(directories, 10);
    EXPECT_EQ(host.events, expected);
}

TEST_F(SweepTest, MatchesAreCountedThenDeletedWithAYieldAfterEach) {
    tree.Dir(L"sub");
    for (const wchar_t* f : {L"a.tmp", L"keep.txt", L"b.tmp", L"sub\\c.tmp"}) tree.File(f);
    std::vector<std::pair<std::wstring, bool>> seen;   // path, still there when reported
    SweepOptions options;
    options.onMatch = [&](const std::wstring& path) {
        seen.emplace_back(path, ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES);
    };
    Run(ListOf({L"*.tmp"}), {}, options);
    EXPECT_EQ(files, 3);
    EXPECT_EQ(directories, 2);
    EXPECT_EQ(host.events, (Events{Caption(tree.Root()), L"yield", L"yield", L"yield", L"yield",
                                   Caption(tree.Path(L"sub")), L"yield", L"yield"}));
    EXPECT_EQ(seen, (std::vector<std::pair<std::wstring, bool>>{
                        {tree.Path(L"a.tmp"), true}, {tree.Path(L"b.tmp"), true}, {tree.Path(L"sub\\c.tmp"), true}}));
    EXPECT_FALSE(tree.Exists(L"a.tmp"));
    EXPECT_FALSE(tree.Exists(L"sub\\c.tmp"));
    EXPECT_TRUE(tree.Exists(L"keep.txt"));
    EXPECT_EQ(failed, 0);
}

TEST_F(SweepTest, PatternsApplyInListOrderEachToTheEnd) {
    for (const wchar_t* f : {L"a.tmp", L"b.bak", L"c.tmp", L"d.bak"}) tree.File(f);
    std::vector<std::wstring> order;
    SweepOptions options;
    options.onMatch = [&](const std::wstring& path) { order.push_back(path.substr(tree.Root().size() + 1)); };
    Run(ListOf({L"*.bak", L"*.tmp"}), {}, options);
    EXPECT_EQ(order, (std::vector<std::wstring>{L"b.bak", L"d.bak", L"a.tmp", L"c.tmp"}));
}

TEST_F(SweepTest, AFileDeletedByOnePatternIsNotFoundByTheNext) {
    tree.File(L"x.tmp");
    Run(ListOf({L"*.tmp", L"x.*", L"*"}));
    EXPECT_EQ(files, 1);
    EXPECT_FALSE(tree.Exists(L"x.tmp"));
}

TEST_F(SweepTest, AFileThatStaysIsFoundByEveryPattern) {
    tree.File(L"ro.tmp", "keep", FILE_ATTRIBUTE_READONLY);
    Run(ListOf({L"*.tmp", L"ro.*"}));
    EXPECT_EQ(files, 2);
    EXPECT_EQ(failed, 2);
    EXPECT_TRUE(tree.Exists(L"ro.tmp"));
    EXPECT_EQ(::GetFileAttributesW(tree.Path(L"ro.tmp").c_str()) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    ::SetFileAttributesW(tree.Path(L"ro.tmp").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Exact names and wildcards are looked up apart; a file both find, that stays
// (judged beforehand, or refused when deleted), is still counted by each in turn.
TEST_F(SweepTest, AFileThatStaysIsCountedByItsExactNameAndByAWildcard) {
    for (const bool readOnly : {true, false}) {
        tree.File(L"Kept.tmp", "keep", readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        win32::FileHandle inUse;
        if (!readOnly)
            inUse.reset(::CreateFileW(tree.Path(L"Kept.tmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(readOnly || inUse);
        files = 0;
        Run(ListOf({L"other.tmp", L"KEPT.TMP", L"*.bak", L"k*"}));
        EXPECT_EQ(files, 2) << readOnly;
        EXPECT_EQ(failed, 2) << readOnly;
        EXPECT_TRUE(tree.Exists(L"Kept.tmp"));
        inUse.reset();
        ::SetFileAttributesW(tree.Path(L"Kept.tmp").c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(tree.Path(L"Kept.tmp").c_str());
    }
}

TEST_F(SweepTest, HiddenAndSystemFilesAreFoundButNeverDirectories) {
    tree.File(L"h.tmp", "", FILE_ATTRIBUTE_HIDDEN);
    tree.File(L"s.tmp", "", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    tree.File(L".dot.tmp");
    tree.Dir(L"folder.tmp");
    tree.File(L"folder.tmp\\inner.tmp");
    Run(ListOf({L"*.tmp"}));
    EXPECT_EQ(files, 4);
    EXPECT_EQ(directories, 2);
    EXPECT_FALSE(tree.Exists(L"h.tmp"));
    EXPECT_FALSE(tree.Exists(L"s.tmp"));
    EXPECT_FALSE(tree.Exists(L".dot.tmp"));
    EXPECT_TRUE(tree.Exists(L"folder.tmp"));
    EXPECT_FALSE(tree.Exists(L"folder.tmp\\inner.tmp"));
}

TEST_F(SweepTest, WithNoPatternsEveryDirectoryIsStillEntered) {
    tree.Dir(L"a");
    tree.File(L"a\\x.tmp");
    Run(FileCollection());
    EXPECT_EQ(directories, 2);
    EXPECT_EQ(files, 0);
    EXPECT_EQ(host.events, (Events{Caption(tree.Root()), L"yield", L"yield", Caption(tree.Path(L"a")), L"yield"}));
    EXPECT_TRUE(tree.Exists(L"a\\x.tmp"));
}

TEST_F(SweepTest, StarDotStarEmptiesTheTree) {
    tree.Dir(L"a");
    for (const wchar_t* f : {L"noext", L"a.b.c", L"a\\.x", L"a\\y.z"}) tree.File(f);
    Run(ListOf({L"*.*"}));
    EXPECT_EQ(files, 4);
    for (const wchar_t* f : {L"noext", L"a.b.c", L"a\\.x", L"a\\y.z"}) EXPECT_FALSE(tree.Exists(f)) << f;
}

// The platform's own search also matches generated 8.3 aliases; only long names count.
TEST_F(SweepTest, ShortNameAliasesDoNotMatch) {
    for (const wchar_t* f : {L"x.tmp", L"x.tmpl", L"report12.tmpl", L"x.old", L"x.oldies", L"FILE12345.CHK",
                             L"FILE0001.CHK", L"~notes", L"notes~"})
        tree.File(f);
    Run(ListOf({L"*.tmp", L"*.old", L"FILE????.CHK", L"~*.*"}));
    EXPECT_EQ(files, 4);
    for (const wchar_t* gone : {L"x.tmp", L"x.old", L"FILE0001.CHK", L"~notes"})
        EXPECT_FALSE(tree.Exists(gone)) << gone;
    for (const wchar_t* kept : {L"x.tmpl", L"report12.tmpl", L"x.oldies", L"FILE12345.CHK", L"notes~"})
        EXPECT_TRUE(tree.Exists(kept)) << kept;
}

TEST_F(SweepTest, PatternsWithADirectoryOrDriveAreAppliedNowhere) {
    tree.Dir(L"sub");
    tree.File(L"x.tmp");
    tree.File(L"sub\\x.tmp");
    Run(ListOf({L"..\\*.tmp", L"sub\\x.tmp", L"sub/x.tmp", L"Z:x.tmp", L"*:*"}));
    EXPECT_EQ(files, 0);
    EXPECT_TRUE(tree.Exists(L"x.tmp"));
    EXPECT_TRUE(tree.Exists(L"sub\\x.tmp"));
}

TEST_F(SweepTest, NamesOutsideTheCodePage) {
    const std::wstring cyrillic = L"\u0444\u0430\u0439\u043b.TMP";
    tree.File(cyrillic);
    tree.File(L"\u4e2d.keep");
    Run(ListOf({L"\u0424\u0410\u0419\u041b.tmp", L"\u4e2d.tmp"}));
    EXPECT_EQ(files, 1);
    EXPECT_EQ(failed, 0);
    EXPECT_FALSE(tree.Exists(cyrillic));
    EXPECT_TRUE(tree.Exists(L"\u4e2d.keep"));
}

TEST_F(SweepTest, PathsPastMaxPath) {
    std::wstring deep;
    for (int i = 0; i < 5; ++i) {
        deep += (i ? L"\\" : L"") + std::wstring(60, static_cast<wchar_t>(L'a' + i));
        tree.Dir(deep);
    }
    tree.File(deep + L"\\x.tmp");
    ASSERT_GT(tree.Path(deep).size(), 300u);
    Run(ListOf({L"*.tmp"}));
    EXPECT_EQ(directories, 6);
    EXPECT_EQ(files, 1);
    EXPECT_EQ(failed, 0);
    EXPECT_FALSE(tree.Exists(deep + L"\\x.tmp"));
    EXPECT_EQ(host.events[host.events.size() - 3], Caption(tree.Path(deep)));
}

TEST_F(SweepTest, EmptyOrBlankStartIsAFailureNotTheCurrentDrive) {
    for (const wchar_t* start : {L"", L"   "}) {
        const FileCollection all = ListOf({L"*"});
        Sweep sweep(host, all);
        const auto failure = FailureOf([&] { sweep.SweepFolder(start, directories, files); });
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->Win32Code(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    }
    EXPECT_EQ(directories, 0);
    EXPECT_TRUE(host.events.empty());
}

TEST_F(SweepTest, MissingStartFailsBeforeAnythingHappens) {
    const std::wstring missing = tree.Path(L"missing");
    const FileCollection all = ListOf({L"*"});
    Sweep sweep(host, all);
    const auto failure = FailureOf([&] { sweep.SweepFolder(missing, directories, files); });
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->Win32Code(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(failure->Subject(), missing);
    EXPECT_EQ(directories, 0);
    EXPECT_EQ(files, 0);
    EXPECT_TRUE(host.events.empty());
}

// Another program holds the folder so that nobody may open it: the sweep ends
// there, as at any folder it cannot read, with what it counted before.
TEST_F(SweepTest, AFolderThatCannotBeOpenedEndsTheSweepWithWhatWasCounted) {
    tree.Dir(L"a");
    tree.File(L"1.tmp");
    tree.File(L"a\\2.tmp");
    const win32::FileHandle held(::CreateFileW(tree.Path(L"a").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(held);
    const FileCollection temporary = ListOf({L"*.tmp"});
    Sweep sweep(host, temporary);
    const auto failure = FailureOf([&] { sweep.SweepFolder(tree.Root(), directories, files); });
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->Win32Code(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(failure->Subject(), tree.Path(L"a"));
    EXPECT_EQ(directories, 1);
    EXPECT_EQ(files, 1);
    EXPECT_TRUE(tree.Exists(L"a\\2.tmp"));
}

// Whether a directory's tried files are gone is read while the sweep goes on:
// a stop or a failure in the next directory still reports the first one's
// files that stayed, each found again by the later pattern that matches it.
TEST_F(SweepTest, WhatADirectoryLeftIsCountedBeforeAStopOrAFailureInTheNext) {
    for (const bool stop : {true, false}) {
        TempTree fresh;
        fresh.File(L"in-use.tmp");
        fresh.Dir(L"a");
        win32::FileHandle inUse(::CreateFileW(fresh.Path(L"in-use.tmp").c_str(), GENERIC_READ, 0, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(inUse);
        // Failing: "a" is held so that it cannot be opened.
        const win32::FileHandle heldFolder(stop ? INVALID_HANDLE_VALUE
                                                : ::CreateFileW(fresh.Path(L"a").c_str(), GENERIC_READ, 0, nullptr,
                                                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        RecordingHost ending;
        ending.onYield = [&](int yield) { return !stop || yield != 3; };   // yield 3 comes before "a" is entered
        const FileCollection patterns = ListOf({L"*.tmp", L"in-*"});
        Sweep sweep(ending, patterns);
        int32_t dirs = 0;
        int32_t found = 0;
        if (stop) {
            EXPECT_THROW(sweep.SweepFolder(fresh.Root(), dirs, found), SweepStopped);
        } else {
            EXPECT_TRUE(FailureOf([&] { sweep.SweepFolder(fresh.Root(), dirs, found); })) << "a was held";
        }
        EXPECT_EQ(dirs, 1) << stop;
        EXPECT_EQ(found, 2) << stop;
        EXPECT_EQ(sweep.FailedDeletions(), 2) << stop;
        EXPECT_TRUE(fresh.Exists(L"in-use.tmp"));
    }
}

// The directories below are read, and their matches opened, ahead of the sweep:
// a stop leaves every one of those files where it is too.
TEST_F(SweepTest, AFalseYieldStopsAtOnce) {
    for (const wchar_t* f : {L"1.tmp", L"2.tmp", L"3.tmp"}) tree.File(f);
    for (int d = 0; d < 20; ++d) {
        tree.Dir(L"d" + std::to_wstring(d));
        tree.File(L"d" + std::to_wstring(d) + L"\\a.tmp");
    }
    host.onYield = [](int yield) { return yield < 2; };   // stop after the first match
    const FileCollection temporary = ListOf({L"*.tmp"});
    Sweep sweep(host, temporary);
    EXPECT_THROW(sweep.SweepFolder(tree.Root(), directories, files), SweepStopped);
    EXPECT_EQ(files, 1);
    EXPECT_FALSE(tree.Exists(L"1.tmp"));
    EXPECT_TRUE(tree.Exists(L"2.tmp"));
    EXPECT_TRUE(tree.Exists(L"3.tmp"));
    for (int d = 0; d < 20; ++d) EXPECT_TRUE(tree.Exists(L"d" + std::to_wstring(d) + L"\\a.tmp")) << d;
    EXPECT_EQ(host.events.back(), L"yield");
    EXPECT_EQ(host.yields, 2);
}

// A chain of folders, each the only one in its parent, ends in the last one
// named: the reader meets them in that order whatever the file system's order.
std::wstring Chain(TempTree& tree, const std::wstring& last) {
    std::wstring path;
    for (const wchar_t* name : {L"a", L"b", L"c", L"d", L"e"}) {
        path += name;
        tree.Dir(path);
        path += L"\\";
    }
    path += last;
    tree.Dir(path);
    return path;
}

// Holds the sweep at its start folder until the reader, with its lead, has
// opened ahead the matches of the folder named (under Wine, where a delete run
// opens ahead), then runs then. The options are the run's.
SweepOptions PauseUntilOpenedAhead(RecordingHost& host, const std::wstring& folder, std::function<void()> then = {}) {
    auto opened = std::make_shared<std::promise<void>>();
    SweepOptions options;
    options.onOpenedAhead = [opened, folder](const std::wstring& shown, size_t) {
        if (shown == folder) opened->set_value();
    };
    host.onYield = [opened, then](int yield) {
        if (yield == 1) {
            if (UnderWine() && opened->get_future().wait_for(std::chrono::seconds(60)) != std::future_status::ready)
                ADD_FAILURE() << "the reader never opened ahead";
            if (then) then();
        }
        return true;
    };
    return options;
}

// More matches in one directory than may be opened ahead: the rest are opened
// as they are deleted, and every one is counted once.
TEST_F(SweepTest, ADirectoryWithMoreMatchesThanAreOpenedAheadIsEmptiedAndCounted) {
    const std::wstring many = Chain(tree, L"many");
    for (int i = 0; i < 1100; ++i) tree.File(many + L"\\" + std::to_wstring(i) + L".tmp");
    tree.File(many + L"\\keep.txt");
    Run(ListOf({L"*.tmp", L"1*"}), {}, PauseUntilOpenedAhead(host, tree.Path(many)));
    EXPECT_EQ(files, 1100);
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(alreadyGone, 0);
    EXPECT_FALSE(tree.Exists(many + L"\\1099.tmp"));
    EXPECT_FALSE(tree.Exists(many + L"\\0.tmp"));
    EXPECT_TRUE(tree.Exists(many + L"\\keep.txt"));
}

TEST_F(SweepTest, PreviewReportsExactlyWhatARunDeletes) {
    tree.Dir(L"d");
    for (const wchar_t* f : {L"a.tmp", L"a.bak", L"b.txt", L"d\\c.tmp", L"d\\c.bak.tmp"}) tree.File(f);
    const FileCollection patterns = ListOf({L"*.tmp", L"a.*", L"*.bak"});

    std::vector<std::wstring> previewed;
    const SweepOptions preview = Options(SweepAction::Delete, [&](const std::wstring& p) { previewed.push_back(p); }, true);
    Run(patterns, {}, preview);
    const int32_t previewFiles = files;
    for (const wchar_t* f : {L"a.tmp", L"a.bak", L"d\\c.tmp", L"d\\c.bak.tmp"}) EXPECT_TRUE(tree.Exists(f)) << f;

    std::vector<std::wstring> deleted;
    files = 0;
    Run(patterns, {}, Options(SweepAction::Delete, [&](const std::wstring& p) { deleted.push_back(p); }));
    EXPECT_EQ(previewed, deleted);
    EXPECT_EQ(previewFiles, 4);
    EXPECT_EQ(files, 4);
    EXPECT_TRUE(tree.Exists(L"b.txt"));
}

// The space freed is the listed size of what went: a match that stays adds
// nothing; a preview tells what the run would free.
TEST_F(SweepTest, TheSpaceFreedIsTheSizeOfWhatWentAndEachMatchIsLoggedOnce) {
    tree.Dir(L"d");
    tree.File(L"a.tmp", "12345");
    tree.File(L"d\\b.tmp", std::string(3000, 'x'));
    tree.File(L"ro.tmp", "123", FILE_ATTRIBUTE_READONLY);
    tree.File(L"held.tmp", "1234567");
    const win32::FileHandle holder(
        ::CreateFileW(tree.Path(L"held.tmp").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    const FileCollection patterns = ListOf({L"*.tmp", L"held.*"});
    Run(patterns, {}, Options(SweepAction::Delete, {}, true));
    EXPECT_EQ(freed, 3012u);
    std::vector<std::wstring> gone, left;
    SweepOptions options;
    options.onGone = [&](const std::wstring& path) { gone.push_back(path); };
    options.onLeft = [&](const std::wstring& path, Removal said) { left.push_back(path + (said == Removal::Held ? L" held" : L"")); };
    Run(patterns, {}, std::move(options));
    EXPECT_EQ(freed, 3005u);
    std::sort(gone.begin(), gone.end());
    EXPECT_EQ(gone, (std::vector<std::wstring>{tree.Path(L"a.tmp"), tree.Path(L"d\\b.tmp")}));
    EXPECT_EQ(left, (std::vector<std::wstring>{tree.Path(L"held.tmp") + L" held"})) << "once, for two patterns";
}

TEST_F(SweepTest, TheOneFolderProceduresCountTheirMatches) {
    for (const wchar_t* f : {L"a.tmp", L"b.tmp", L"c.bak", L"ro.bak"}) tree.File(f);
    ::SetFileAttributesW(tree.Path(L"ro.bak").c_str(), FILE_ATTRIBUTE_READONLY);
    const FileCollection patterns = ListOf({L"*.tmp", L"*.bak"});
    Sweep sweep(host, patterns);
    EXPECT_EQ(sweep.DeletePatternMatches(tree.Root(), L"a.*"), 1);
    EXPECT_EQ(sweep.DeleteMatchesInFolder(tree.Root() + L"\\"), 3);
    EXPECT_EQ(sweep.FailedDeletions(), 1);
    EXPECT_EQ(host.events, (Events{L"yield", L"yield", L"yield", L"yield"}));

    tree.File(L"one.tmp");
    EXPECT_TRUE(sweep.TryDeleteFile(tree.Path(L"one.tmp")));
    EXPECT_FALSE(tree.Exists(L"one.tmp"));
    EXPECT_FALSE(sweep.TryDeleteFile(tree.Path(L"ro.bak")));
    EXPECT_FALSE(sweep.TryDeleteFile(L""));
    EXPECT_EQ(sweep.FailedDeletions(), 3);
    ::SetFileAttributesW(tree.Path(L"ro.bak").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Which names reach exactly one file: joined to a \\?\ path, and as a plain path
// the shell's operation would read.
TEST(RemovalJudge, NamesThatMeanExactlyOneFile) {
    for (const wchar_t* name : {L"a.tmp", L" leading", L"c:d", L"odd.", L"odd "})
        EXPECT_TRUE(NameMeansOneFile(name)) << name;
    for (const wchar_t* name : {L"", L"*", L"a?b", L"x<y", L"x>y", L"q\"q", L"p|p", L"tab\tx", L"back\\slash", L"a/b"})
        EXPECT_FALSE(NameMeansOneFile(name)) << name;

    EXPECT_TRUE(PlainPathMeansOneFile(L"C:\\dir\\a.tmp"));
    EXPECT_TRUE(PlainPathMeansOneFile(L"\\\\server\\share\\a.tmp"));
    for (const wchar_t* path : {L"C:\\dir\\a.tmp.", L"C:\\dir\\a.tmp ", L"C:\\dir\\nul.tmp", L"C:\\dir\\CON",
                                L"C:\\dir\\c:d", L"C:\\dir\\..\\a.tmp"})
        EXPECT_FALSE(PlainPathMeansOneFile(path)) << path;
    EXPECT_TRUE(PlainPathMeansOneFile(L"C:\\" + std::wstring(MAX_PATH - 4, L'x')));
    EXPECT_FALSE(PlainPathMeansOneFile(L"C:\\" + std::wstring(MAX_PATH - 3, L'x')));
}

// Under Wine the Recycle Bin is the desktop's trash, $XDG_DATA_HOME/Trash: here a
// folder of this test program's own, set before the bin's first use (Wine keeps
// the place from then on, and deletes outright when it has none).
class RecycleTest : public SweepTest {
protected:
    void SetUp() override { Bin(); }

    static const TempTree& Bin() { return enginetest::RecycleBinHome(); }
    // What the bin holds under this name (its content), or nothing.
    static std::optional<std::string> Recycled(const std::wstring& name) {
        const std::wstring inBin = L"Trash\\files\\" + name;
        if (!Bin().Exists(inBin)) return std::nullopt;
        return Bin().Read(inBin);
    }
    // The same small tree in a folder of the tree.
    void MakeTree(const std::wstring& below) {
        const std::wstring at = below + L"\\";
        tree.Dir(below);
        tree.Dir(at + L"d");
        tree.File(at + L"keep.txt");
        tree.File(at + L"ro.tmp", "", FILE_ATTRIBUTE_READONLY);   // matched by two patterns, refused by both
        tree.File(at + L"d\\old.bak");
        tree.File(at + L"d\\x.tmp");
    }
    void Unprotect(const std::wstring& relative) {
        ::SetFileAttributesW(tree.Path(relative).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
};

TEST_F(RecycleTest, MatchesGoToTheRecycleBinAndTheRunCountsAsADeleteRunDoes) {
    tree.Dir(L"sub");
    tree.File(L"sub\\recycled-one.tmp", "first");
    tree.File(L"recycled-two.tmp", "second");
    tree.File(L"kept.txt");
    Run(ListOf({L"*.tmp"}), {}, Options(SweepAction::Recycle));
    EXPECT_EQ(files, 2);
    EXPECT_EQ(directories, 2);
    EXPECT_EQ(failed, 0);
    EXPECT_FALSE(tree.Exists(L"sub\\recycled-one.tmp"));
    EXPECT_FALSE(tree.Exists(L"recycled-two.tmp"));
    EXPECT_TRUE(tree.Exists(L"kept.txt"));
    if (UnderWine()) {
        EXPECT_EQ(Recycled(L"recycled-one.tmp"), std::optional<std::string>("first"));
        EXPECT_EQ(Recycled(L"recycled-two.tmp"), std::optional<std::string>("second"));
    }
}

TEST_F(RecycleTest, CountsFailuresCaptionsAndYieldsMatchADeleteRunOnTheSameTree) {
    MakeTree(L"deleting");
    MakeTree(L"recycling");
    const FileCollection patterns = ListOf({L"*.tmp", L"ro.*", L"*.bak"});
    std::vector<std::wstring> deletedSeen, recycledSeen;
    auto relativeTo = [&](const std::wstring& below, std::vector<std::wstring>& seen) {
        return [&seen, base = tree.Path(below).size()](const std::wstring& path) { seen.push_back(path.substr(base)); };
    };

    Run(patterns, tree.Path(L"deleting"), Options(SweepAction::Delete, relativeTo(L"deleting", deletedSeen)));
    const int32_t deletedFiles = files, deletedFailed = failed, deletedDirectories = directories;
    Events deleteEvents;
    for (const std::wstring& event : host.events)
        deleteEvents.push_back(event == L"yield" ? event : event.substr(0, event.find(L"deleting")));
    host.events.clear();
    files = directories = 0;

    Run(patterns, tree.Path(L"recycling"), Options(SweepAction::Recycle, relativeTo(L"recycling", recycledSeen)));
    EXPECT_EQ(files, deletedFiles);
    EXPECT_EQ(failed, deletedFailed);
    EXPECT_EQ(directories, deletedDirectories);
    EXPECT_EQ(files, 4);    // ro.tmp twice, x.tmp, old.bak
    EXPECT_EQ(failed, 2);
    EXPECT_EQ(recycledSeen.size(), deletedSeen.size());
    Events recycleEvents;
    for (const std::wstring& event : host.events)
        recycleEvents.push_back(event == L"yield" ? event : event.substr(0, event.find(L"recycling")));
    EXPECT_EQ(recycleEvents, deleteEvents);

    for (const wchar_t* kept : {L"\\keep.txt", L"\\ro.tmp"}) {
        EXPECT_TRUE(tree.Exists(std::wstring(L"deleting") + kept));
        EXPECT_TRUE(tree.Exists(std::wstring(L"recycling") + kept)) << "a read-only file is never recycled";
    }
    for (const wchar_t* gone : {L"\\d\\old.bak", L"\\d\\x.tmp"}) {
        EXPECT_FALSE(tree.Exists(std::wstring(L"deleting") + gone));
        EXPECT_FALSE(tree.Exists(std::wstring(L"recycling") + gone));
    }
    Unprotect(L"deleting\\ro.tmp");
    Unprotect(L"recycling\\ro.tmp");
}

// A file in use stays, in the Recycle Bin's run as in a delete run, and every
// pattern that matches it counts it and fails.
TEST_F(RecycleTest, AFileInUseIsCountedByEveryPatternThatMatchesItAsInADeleteRun) {
    for (SweepAction action : {SweepAction::Delete, SweepAction::Recycle}) {
        tree.File(L"in-use.tmp");
        tree.File(L"free.tmp");
        win32::FileHandle inUse(::CreateFileW(tree.Path(L"in-use.tmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                              nullptr));
        ASSERT_TRUE(inUse);
        files = directories = 0;
        Run(ListOf({L"*.tmp", L"in-*", L"*.bak"}), {}, Options(action));
        EXPECT_TRUE(tree.Exists(L"in-use.tmp"));
        EXPECT_FALSE(tree.Exists(L"free.tmp"));
        EXPECT_EQ(files, 3);
        EXPECT_EQ(failed, 2);
    }
}

TEST_F(RecycleTest, AStoppedSweepStillRecyclesWhatItCountedInTheDirectory) {
    tree.File(L"stopped-first.tmp");
    tree.File(L"stopped-second.tmp");
    host.onYield = [](int yield) { return yield < 2; };   // stop at the yield after the first match
    const FileCollection stopped = ListOf({L"stopped-*"});
    Sweep sweep(host, stopped, Options(SweepAction::Recycle));
    EXPECT_THROW(sweep.SweepFolder(tree.Root(), directories, files), SweepStopped);
    EXPECT_EQ(files, 1);
    EXPECT_EQ(tree.Exists(L"stopped-first.tmp") + tree.Exists(L"stopped-second.tmp"), 1)
        << "the counted file went, the other stayed";
}

TEST_F(RecycleTest, OneFileByItself) {
    tree.File(L"single.tmp", "one");
    tree.File(L"single-ro.tmp", "", FILE_ATTRIBUTE_READONLY);
    const FileCollection none;
    Sweep sweep(host, none, Options(SweepAction::Recycle));
    EXPECT_TRUE(sweep.TryDeleteFile(tree.Path(L"single.tmp")));
    EXPECT_FALSE(tree.Exists(L"single.tmp"));
    if (UnderWine()) {
        EXPECT_EQ(Recycled(L"single.tmp"), std::optional<std::string>("one"));
    }
    EXPECT_FALSE(sweep.TryDeleteFile(tree.Path(L"single-ro.tmp")));
    EXPECT_TRUE(tree.Exists(L"single-ro.tmp"));
    EXPECT_FALSE(sweep.TryDeleteFile(tree.Path(L"missing.tmp")));
    EXPECT_EQ(sweep.FailedDeletions(), 1);
    EXPECT_EQ(sweep.AlreadyGone(), 1) << "a file that is not there is no failure";
    Unprotect(L"single-ro.tmp");
}

// The shell's operation takes plain paths only: a device's name or a path past
// MAX_PATH would not reach the file. A delete run takes both.
TEST_F(RecycleTest, ADeviceNameOrALongPathStaysOutOfTheRecycleBinButIsDeleted) {
    std::wstring deep;
    for (int i = 0; i < 5; ++i) {
        deep += (i ? L"\\" : L"") + std::wstring(60, static_cast<wchar_t>(L'a' + i));
        tree.Dir(deep);
    }
    for (SweepAction action : {SweepAction::Recycle, SweepAction::Delete}) {
        tree.File(L"nul.tmp");
        tree.File(deep + L"\\deep.tmp");
        std::vector<std::pair<std::wstring, StayReason>> stays;
        files = directories = 0;
        Run(ListOf({L"*.tmp"}), {},
            Options(action, {}, false, [&](const std::wstring& path, StayReason reason) { stays.emplace_back(path, reason); }));
        EXPECT_EQ(files, 2);
        if (action == SweepAction::Recycle) {
            EXPECT_EQ(failed, 2);
            EXPECT_EQ(stays.size(), 2u);
            for (const auto& stay : stays) EXPECT_EQ(stay.second, StayReason::NotForRecycleBin);
            EXPECT_TRUE(tree.Exists(L"nul.tmp"));
            EXPECT_TRUE(tree.Exists(deep + L"\\deep.tmp"));
        } else {
            EXPECT_EQ(failed, 0);
            EXPECT_FALSE(tree.Exists(L"nul.tmp"));
            EXPECT_FALSE(tree.Exists(deep + L"\\deep.tmp"));
        }
    }
}

// Another program (or a second Scourway) removes a listed match before the run
// comes to it: the file is gone, as the user wanted, and no failure.
TEST_F(RecycleTest, AMatchRemovedMeanwhileIsAlreadyGoneNotAFailure) {
    for (SweepAction action : {SweepAction::Delete, SweepAction::Recycle}) {
        tree.File(L"first.tmp");
        tree.File(L"second.tmp");
        host.yields = 0;
        host.onYield = [&](int yield) {   // the first yield comes after the directory was read
            if (yield == 1) ::DeleteFileW(tree.Path(L"second.tmp").c_str());
            return true;
        };
        const FileCollection temporary = ListOf({L"*.tmp"});
        Sweep sweep(host, temporary, Options(action));
        EXPECT_EQ(sweep.DeleteMatchesInFolder(tree.Root()), 2);
        EXPECT_EQ(sweep.FailedDeletions(), 0);
        EXPECT_EQ(sweep.AlreadyGone(), 1);
        EXPECT_FALSE(tree.Exists(L"first.tmp"));
    }
}

// Under Wine a delete run opens matches ahead once its reader has a lead, and
// holds them against other deleters until it deletes them itself: one deletion,
// counted by one program.
TEST_F(SweepTest, AMatchHeldForItsDeletionIsDeletedAndCountedOnce) {
    if (!UnderWine()) GTEST_SKIP() << "matches are opened ahead only where names must be checked";
    const std::wstring folder = Chain(tree, L"f");
    tree.File(folder + L"\\first.tmp");
    tree.File(folder + L"\\second.tmp");
    BOOL otherDeleted = TRUE;
    DWORD otherError = ERROR_SUCCESS;
    const SweepOptions options = PauseUntilOpenedAhead(host, tree.Path(folder), [&] {
        otherDeleted = ::DeleteFileW(tree.Path(folder + L"\\second.tmp").c_str());
        otherError = ::GetLastError();
    });
    Run(ListOf({L"*.tmp"}), {}, options);
    EXPECT_FALSE(otherDeleted);
    EXPECT_EQ(otherError, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(files, 2);
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(alreadyGone, 0);
    EXPECT_FALSE(tree.Exists(folder + L"\\first.tmp"));
    EXPECT_FALSE(tree.Exists(folder + L"\\second.tmp"));
}

// Links are made with the host's ln, as a user's tree would hold them.
class LinkTest : public SweepTest {
protected:
    void SetUp() override {
        if (!UnderWine()) GTEST_SKIP() << "links are made with the host's ln under Wine";
    }
};

TEST_F(LinkTest, ALinkBackUpTheTreeIsNotEntered) {
    tree.Dir(L"sub");
    tree.File(L"sub\\x.tmp");
    ASSERT_TRUE(tree.Link("..", L"sub\\loop"));
    ASSERT_TRUE(tree.Link(".", L"self"));
    ASSERT_TRUE(::GetFileAttributesW(tree.Path(L"sub\\loop").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
    Run(ListOf({L"*.tmp", L"loop", L"self"}));
    EXPECT_EQ(directories, 2);
    EXPECT_EQ(files, 1);
    EXPECT_TRUE(tree.Exists(L"sub\\loop"));
    EXPECT_TRUE(tree.Exists(L"self"));
}

TEST_F(LinkTest, ALinkedDirectoryOutsideIsNotSwept) {
    TempTree outside;
    outside.File(L"precious.tmp");
    ASSERT_TRUE(tree.Link(outside.HostPath(L""), L"elsewhere"));
    Run(ListOf({L"*.tmp"}));
    EXPECT_EQ(directories, 1);
    EXPECT_TRUE(outside.Exists(L"precious.tmp"));
}

TEST_F(LinkTest, ASweepStartedThroughALinkedFolderStillDeletes) {
    TempTree outside;
    outside.File(L"junk.tmp");
    ASSERT_TRUE(tree.Link(outside.HostPath(L""), L"via"));
    Run(ListOf({L"*.tmp"}), tree.Path(L"via"));
    EXPECT_EQ(files, 1);
    EXPECT_EQ(failed, 0);
    EXPECT_FALSE(outside.Exists(L"junk.tmp"));
}

TEST_F(LinkTest, AMatchingFileLinkNeverTakesItsTarget) {
    TempTree outside;
    outside.File(L"precious.dat", "data");
    outside.File(L"precious.tmp", "data");
    ASSERT_TRUE(tree.Link(outside.HostPath(L"precious.dat"), L"link.tmp"));
    ASSERT_TRUE(tree.Link(outside.HostPath(L"precious.tmp"), L"same-name.tmp"));
    tree.File(L"real.tmp");
    Run(ListOf({L"*.tmp"}));
    EXPECT_EQ(files, 3);
    EXPECT_EQ(outside.Read(L"precious.dat"), "data");
    EXPECT_EQ(outside.Read(L"precious.tmp"), "data");
    EXPECT_FALSE(tree.Exists(L"real.tmp"));
    // Wine cannot remove a link to a file without removing its target: it stays, as a failed deletion.
    EXPECT_EQ(failed, 2);
}

// Files only the host can make: names Windows would not allow, links, immutable
// files. The Recycle Bin is set up as for RecycleTest.
class HostTreeTest : public RecycleTest {
protected:
    void SetUp() override {
        if (!UnderWine()) GTEST_SKIP() << "the host makes these files, under Wine";
        RecycleTest::SetUp();
    }
    using Stays = std::vector<std::pair<std::wstring, StayReason>>;
    // Options that collect the names (relative to the root) of the files taken and of those that stay.
    SweepOptions Collecting(SweepAction action, bool preview, std::vector<std::wstring>& taken, Stays& stays) {
        const size_t base = tree.Root().size() + 1;
        return Options(
            action, [&taken, base](const std::wstring& path) { taken.push_back(path.substr(base)); }, preview,
            [&stays, base](const std::wstring& path, StayReason reason) { stays.emplace_back(path.substr(base), reason); });
    }
    // What a preview of the action reports: the files its run would take and
    // those it would leave (sorted), and its counters.
    struct PreviewResult {
        std::vector<std::wstring> taken;
        Stays stays;
        int32_t files, failed;
    };
    PreviewResult Preview(SweepAction action, const FileCollection& patterns) {
        PreviewResult result;
        Run(patterns, {}, Collecting(action, true, result.taken, result.stays));
        std::sort(result.taken.begin(), result.taken.end());
        std::sort(result.stays.begin(), result.stays.end());
        result.files = files;
        result.failed = failed;
        files = directories = 0;
        return result;
    }
};

// A name the shell's operation would read as a wildcard, shorten or follow takes
// other files with it: such a file stays, and only the matching file ever goes.
TEST_F(HostTreeTest, TheRecycleBinGetsExactlyTheMatchingFileNeverANeighbourATargetOrAFolder) {
    TempTree outside;
    outside.File(L"odd-precious.txt", "outside");
    tree.File(L"odd-other.txt", "other");
    tree.Dir(L"odd-sub");
    tree.File(L"odd-sub\\odd-inner.txt", "inner");
    tree.Dir(L"odd-dir.tmp");
    tree.File(L"odd-dir.tmp\\odd-x.dat", "x");
    tree.File(L"odd-keep.txt", "keep");
    tree.File(L"odd.txt", "neighbour");
    tree.File(L"odd.log", "read-only", FILE_ATTRIBUTE_READONLY);
    tree.File(L"odd-plain.tmp", "plain");
    for (const wchar_t* name : {L"*", L"*.tmp", L"odd.txt ", L"odd.log."}) ASSERT_TRUE(tree.HostFile(name)) << name;
    ASSERT_TRUE(tree.Link("odd-keep.txt", L"odd-link.tmp"));
    ASSERT_TRUE(tree.Link(outside.HostPath(L"odd-precious.txt"), L"odd-away.tmp"));
    const FileCollection patterns = ListOf({L"?", L"*.tmp", L"odd.txt *", L"odd.log*"});

    const PreviewResult preview = Preview(SweepAction::Recycle, patterns);
    EXPECT_EQ(preview.taken, std::vector<std::wstring>{L"odd-plain.tmp"});
    EXPECT_EQ(preview.stays, (Stays{{L"*", StayReason::UnusableName},
                                    {L"*.tmp", StayReason::UnusableName},
                                    {L"odd-away.tmp", StayReason::Link},
                                    {L"odd-link.tmp", StayReason::Link},
                                    {L"odd.log", StayReason::ReadOnly},
                                    {L"odd.log.", StayReason::UnusableName},
                                    {L"odd.txt ", StayReason::UnusableName}}));

    Run(patterns, {}, Options(SweepAction::Recycle));
    EXPECT_EQ(files, 8);
    EXPECT_EQ(failed, 7);
    EXPECT_EQ(files, preview.files);
    EXPECT_EQ(failed, preview.failed);
    EXPECT_FALSE(tree.Listed(L"odd-plain.tmp"));
    EXPECT_EQ(Recycled(L"odd-plain.tmp"), std::optional<std::string>("plain"));
    for (const wchar_t* stays : {L"*", L"*.tmp", L"odd.txt ", L"odd.log.", L"odd-link.tmp", L"odd-away.tmp",
                                 L"odd-other.txt", L"odd-sub\\odd-inner.txt", L"odd-dir.tmp\\odd-x.dat",
                                 L"odd-keep.txt", L"odd.txt", L"odd.log"})
        EXPECT_TRUE(tree.Listed(stays)) << stays;
    EXPECT_EQ(tree.Read(L"odd-keep.txt"), "keep");
    EXPECT_EQ(outside.Read(L"odd-precious.txt"), "outside");
    for (const wchar_t* kept : {L"odd-keep.txt", L"odd-precious.txt", L"odd-link.tmp", L"odd-away.tmp",
                                L"odd-other.txt", L"odd-sub", L"odd-dir.tmp", L"odd.txt", L"odd.log"})
        EXPECT_FALSE(Recycled(kept)) << kept;
    Unprotect(L"odd.log");
}

// A preview counts only what its run deletes, and names the rest with the reason
// the run leaves them; the run then leaves exactly those.
TEST_F(HostTreeTest, APreviewOfADeleteRunTellsWhatTheRunLeavesAndWhy) {
    tree.File(L"keep.txt", "keep");
    tree.File(L"a.tmp");
    tree.File(L"ro.tmp", "", FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(tree.HostFile(L"*.tmp"));
    ASSERT_TRUE(tree.HostFile(L"spaced.tmp "));
    ASSERT_TRUE(tree.Link("keep.txt", L"link.tmp"));
    const FileCollection patterns = ListOf({L"*.tmp", L"ro.*", L"spaced.tmp *"});

    const PreviewResult preview = Preview(SweepAction::Delete, patterns);
    EXPECT_EQ(preview.taken, std::vector<std::wstring>{L"a.tmp"});
    EXPECT_EQ(preview.stays, (Stays{{L"*.tmp", StayReason::UnusableName},
                                    {L"link.tmp", StayReason::Link},
                                    {L"ro.tmp", StayReason::ReadOnly},
                                    {L"ro.tmp", StayReason::ReadOnly},
                                    {L"spaced.tmp ", StayReason::UnusableName}}));
    EXPECT_EQ(preview.files, 6);
    EXPECT_EQ(preview.failed, 5);

    Run(patterns);
    EXPECT_EQ(files, preview.files);
    EXPECT_EQ(failed, preview.failed);
    EXPECT_FALSE(tree.Listed(L"a.tmp"));
    for (const wchar_t* stays : {L"*.tmp", L"spaced.tmp ", L"link.tmp", L"ro.tmp", L"keep.txt"})
        EXPECT_TRUE(tree.Listed(stays)) << stays;
    EXPECT_EQ(tree.Read(L"keep.txt"), "keep");
    Unprotect(L"ro.tmp");
}

// Under Wine an immutable file's deletion is accepted and then not carried out:
// the name is still there, so the file is not deleted, in either kind of run.
TEST_F(HostTreeTest, AFileWhoseAcceptedDeletionDidNotHappenIsNotDeleted) {
    for (SweepAction action : {SweepAction::Delete, SweepAction::Recycle}) {
        tree.File(L"pinned.tmp", "pinned");
        tree.File(L"free.tmp");
        if (!tree.Pin(L"pinned.tmp")) GTEST_SKIP() << "chattr +i needs root and a file system with the attribute";
        struct Unpin {
            const TempTree& tree;
            ~Unpin() { tree.Unpin(L"pinned.tmp"); }
        } unpin{tree};
        files = directories = 0;
        Run(ListOf({L"*.tmp", L"pin*"}), {}, Options(action));
        EXPECT_TRUE(tree.Listed(L"pinned.tmp"));
        EXPECT_FALSE(tree.Listed(L"free.tmp"));
        EXPECT_EQ(files, 3) << "found again by the later pattern, as any file that stays";
        EXPECT_EQ(failed, 2);
        EXPECT_EQ(alreadyGone, 0);
        EXPECT_FALSE(Recycled(L"pinned.tmp"));
    }
}

}  // namespace
}  // namespace modMain

namespace modMain {
namespace {

// Another program holds matches open (a second run that opened them ahead, an
// editor) while this run reaches them: one it deletes itself counts as already
// gone, one it lets go is deleted by this run after all, and a match the reader
// could not open ahead is opened again at its turn. None is a failure.
TEST_F(SweepTest, MatchesAnotherProgramHeldAreTheirsWhenTheyDeleteThemAndOursWhenTheyLetGo) {
    const std::wstring folder = Chain(tree, L"f");
    tree.Dir(L"later");
    for (const wchar_t* name : {L"theirs.tmp", L"let-go.tmp"}) tree.File(name);
    tree.File(folder + L"\\ahead.tmp");
    auto hold = [&](const std::wstring& relative, DWORD flags) {
        return win32::FileHandle(::CreateFileW(tree.Path(relative).c_str(), DELETE | GENERIC_READ, 0, nullptr,
                                               OPEN_EXISTING, flags, nullptr));
    };
    win32::FileHandle theirs = hold(L"theirs.tmp", FILE_FLAG_DELETE_ON_CLOSE);
    win32::FileHandle letGo = hold(L"let-go.tmp", 0);
    win32::FileHandle ahead = hold(folder + L"\\ahead.tmp", 0);
    ASSERT_TRUE(theirs && letGo && ahead);
    host.onYield = [&](int yield) {
        if (yield == 1) {   // the reader gets its lead, and meets ahead.tmp held
            ::Sleep(300);
            ahead.reset();
        }
        if (yield == 4) {   // both root matches were tried and refused
            theirs.reset();
            letGo.reset();
        }
        return true;
    };
    Run(ListOf({L"*.tmp"}));
    EXPECT_EQ(files, 3);
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(alreadyGone, 1);
    for (const std::wstring& name : {std::wstring(L"theirs.tmp"), std::wstring(L"let-go.tmp"), folder + L"\\ahead.tmp"})
        EXPECT_FALSE(tree.Exists(name)) << name;
}

// Below a certain depth the host's file system can name nothing: the run ends
// there with the platform's words for it and the folder's path, not in silence.
TEST_F(SweepTest, AFolderPastWhatTheFileSystemCanNameEndsTheRunSayingSo) {
    if (!UnderWine()) GTEST_SKIP() << "the host's limit on a path's length";
    constexpr size_t kHostPathMax = 4095;   // bytes, without the ending null
    const std::wstring name(200, L'n');
    std::wstring relative;
    std::string hostPath = tree.HostPath(L"");
    int reachable = 0;   // folders below the root whose host path can be named
    for (int level = 0; level < 22; ++level) {
        relative += (level ? L"\\" : L"") + name;
        hostPath += "/" + std::string(name.begin(), name.end());
        if (hostPath.size() <= kHostPathMax) ++reachable;
    }
    // Wine names a path by the prefix's drive link plus the host path, so a deep
    // folder may exist and yet not be reachable by its full name: a marker at the
    // root says when the host is done.
    const std::string made = tree.HostPath(L"made");
    enginetest::RunHost(L"Z:\\bin\\sh", L"sh -c \"mkdir -p " + std::wstring(hostPath.begin(), hostPath.end()) +
                                             L" && touch " + std::wstring(made.begin(), made.end()) + L"\"");
    for (int wait = 0; wait < 500 && !tree.Exists(L"made"); ++wait) ::Sleep(10);
    ASSERT_TRUE(tree.Exists(L"made"));
    std::wstring lastReachable = relative.substr(0, static_cast<size_t>(reachable) * (name.size() + 1) - 1);
    const FileCollection temporary = ListOf({L"*.tmp"});
    Sweep sweep(host, temporary);
    const auto failure = FailureOf([&] { sweep.SweepFolder(tree.Root(), directories, files); });
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->Win32Code(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(failure->Subject(), tree.Path(lastReachable + L"\\" + name));
    EXPECT_EQ(directories, reachable + 1);
}

// Which reparse points a walk never enters and a run never reaches through.
TEST(RelativeOpen, OnlyNameSurrogateReparsePointsAreLinks) {
    constexpr DWORD kReparse = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY;
    constexpr DWORD kCloudPlaceholder = 0x9000001A;   // IO_REPARSE_TAG_CLOUD_6
    constexpr DWORD kDeduplicated = 0x80000013;       // IO_REPARSE_TAG_DEDUP
    const struct {
        DWORD attributes, tag;
        bool link;
    } cases[] = {
        {FILE_ATTRIBUTE_DIRECTORY, 0, false},
        {kReparse, IO_REPARSE_TAG_SYMLINK, true},
        {kReparse, IO_REPARSE_TAG_MOUNT_POINT, true},   // junctions and mounted volumes
        {kReparse, 0, true},                            // no tag given (Wine's listings): assumed a link
        {kReparse, kCloudPlaceholder, false},
        {FILE_ATTRIBUTE_REPARSE_POINT, kDeduplicated, false},
        {FILE_ATTRIBUTE_DIRECTORY, IO_REPARSE_TAG_SYMLINK, false},   // a tag without the attribute means nothing
    };
    for (const auto& c : cases) EXPECT_EQ(IsLinkTag(c.attributes, c.tag), c.link) << std::hex << c.tag;
}

}  // namespace
}  // namespace modMain
