#include "directory_walk.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>
#include "error.h"
#include "long_path.h"
#include "temp_tree.h"

namespace modMain {
namespace {

using enginetest::TempTree;

FolderRef StartOf(const TempTree& tree) { return HoldStart(tree.Root(), FolderSharing::Open); }

// The walk's order worked out the plain way: list, then each subdirectory in turn.
void ExpectedOrder(const std::wstring& path, std::vector<std::wstring>& shown, std::vector<size_t>& files) {
    const DirectoryListing listing = ListDirectory(HoldStart(path, FolderSharing::Open)->handle.get(), path);
    shown.push_back(path);
    files.push_back(listing.files.size());
    for (const SubfolderEntry& entry : listing.subdirectories) ExpectedOrder(path + L"\\" + entry.name, shown, files);
}

// More directories than the reader may be ahead, deep and wide, some with files:
// every one comes once, in pre-order, with its own files.
TEST(DirectoryWalk, GivesEveryDirectoryOnceInPreOrderWithItsFiles) {
    TempTree tree;
    std::wstring deep;
    for (int i = 0; i < 40; ++i) {
        deep += (deep.empty() ? L"" : L"\\") + std::wstring(L"d") + std::to_wstring(i);
        tree.Dir(deep);
        if (i % 3 == 0) tree.File(deep + L"\\f.tmp");
    }
    for (int i = 0; i < 60; ++i) {
        const std::wstring wide = L"w" + std::to_wstring(i);
        tree.Dir(wide);
        for (int f = 0; f < i % 4; ++f) tree.File(wide + L"\\" + std::to_wstring(f) + L".txt");
    }
    std::vector<std::wstring> expectedShown;
    std::vector<size_t> expectedFiles;
    ExpectedOrder(tree.Root(), expectedShown, expectedFiles);
    ASSERT_GT(expectedShown.size(), 2 * DirectoryWalk::kAhead);

    std::vector<std::wstring> shown;
    std::vector<size_t> files;
    DirectoryWalk walk(StartOf(tree), FolderSharing::Open);
    DirectoryWalk::Directory directory;
    while (walk.Next(directory)) {
        shown.push_back(directory.folder->shown);
        files.push_back(directory.files.size());
    }
    EXPECT_EQ(shown, expectedShown);
    EXPECT_EQ(files, expectedFiles);
    EXPECT_FALSE(walk.Next(directory));   // and stays done
}

// A caller that stops early leaves a reader waiting for room: the walk must
// still end, at once, when it is destroyed.
TEST(DirectoryWalk, ACallerThatStopsEarlyEndsTheReader) {
    TempTree tree;
    for (int i = 0; i < 3 * static_cast<int>(DirectoryWalk::kAhead); ++i) tree.Dir(L"d" + std::to_wstring(i));
    {
        DirectoryWalk walk(StartOf(tree), FolderSharing::Open);
        DirectoryWalk::Directory directory;
        ASSERT_TRUE(walk.Next(directory));
        EXPECT_EQ(directory.folder->shown, tree.Root());
    }
    DirectoryWalk unused(StartOf(tree), FolderSharing::Open);   // never asked at all
}

// The reader opens nothing until directories wait for the caller. Files opened
// ahead are open in Wine's server too: however many directories wait for a slow
// caller, together they hold no more than the walk's budget; once the caller
// takes them, the reader may open more again.
TEST(DirectoryWalk, FilesAreOpenedAheadOnlyWithALeadAndWithinTheBudget) {
    TempTree tree;
    for (int i = 0; i < 100; ++i) tree.Dir(L"d" + std::to_wstring(i));
    constexpr size_t kWanted = 100;   // what each directory would open
    static_assert((10 - DirectoryWalk::kOpenOnceQueued) * kWanted >= DirectoryWalk::kOpenedAhead);
    std::mutex mutex;
    std::condition_variable prepared;
    std::vector<size_t> budgets;  // by directory, in the order read
    std::vector<size_t> opened;
    DirectoryWalk walk(StartOf(tree), FolderSharing::Open, [&](DirectoryWalk::Directory&, size_t budget) {
        const size_t count = std::min(budget, kWanted);
        std::lock_guard<std::mutex> lock(mutex);
        budgets.push_back(budget);
        opened.push_back(count);
        prepared.notify_all();
        return count;
    });
    {
        // The caller starts only once ten directories wait for it.
        std::unique_lock<std::mutex> lock(mutex);
        prepared.wait(lock, [&] { return opened.size() >= 10; });
    }
    DirectoryWalk::Directory directory;
    size_t directories = 0;
    while (walk.Next(directory)) {
        ++directories;
        // A slow caller: the reader keeps its lead of ten.
        std::unique_lock<std::mutex> lock(mutex);
        prepared.wait(lock, [&] { return opened.size() >= std::min<size_t>(directories + 10, 101); });
    }
    EXPECT_EQ(directories, 101u);
    ASSERT_EQ(opened.size(), 101u);
    for (size_t i = 0; i < DirectoryWalk::kOpenOnceQueued; ++i) EXPECT_EQ(budgets[i], 0u) << i;
    EXPECT_GT(budgets[DirectoryWalk::kOpenOnceQueued], 0u);
    size_t beforeTheCaller = 0;
    for (size_t i = 0; i < 10; ++i) beforeTheCaller += opened[i];
    EXPECT_EQ(beforeTheCaller, DirectoryWalk::kOpenedAhead);
    size_t all = 0;
    for (const size_t count : opened) all += count;
    EXPECT_GT(all, DirectoryWalk::kOpenedAhead);   // taken directories gave their share back
}

// Holds a folder as another program might, so that nobody else can list it.
class FolderHeldElsewhere {
public:
    explicit FolderHeldElsewhere(const std::wstring& path)
        : handle_(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                nullptr)) {}
    ~FolderHeldElsewhere() { Release(); }
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (Held()) ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

// A folder the reader finds held is listed again at its turn: held still, that
// error ends the walk; let go meanwhile, the walk goes on below it and after it.
TEST(DirectoryWalk, AFolderHeldWhenReadAheadIsListedAgainAtItsTurn) {
    TempTree tree;
    for (const wchar_t* d : {L"a", L"a\\inner"}) tree.Dir(d);
    tree.File(L"a\\inner\\x.tmp");
    {
        FolderHeldElsewhere held(tree.Path(L"a"));
        ASSERT_TRUE(held.Held());
        DirectoryWalk walk(StartOf(tree), FolderSharing::Open);
        DirectoryWalk::Directory directory;
        ASSERT_TRUE(walk.Next(directory));
        try {
            walk.Next(directory);
            FAIL() << "a held folder was listed";
        } catch (const win32::Error& failure) {
            EXPECT_EQ(failure.Subject(), tree.Path(L"a"));
        }
        EXPECT_FALSE(walk.Next(directory));   // nothing more after the failure
    }
    tree.Dir(L"b");
    std::vector<std::wstring> expectedShown;
    std::vector<size_t> expectedFiles;
    ExpectedOrder(tree.Root(), expectedShown, expectedFiles);
    FolderHeldElsewhere held(tree.Path(L"a"));
    DirectoryWalk walk(StartOf(tree), FolderSharing::Open);
    DirectoryWalk::Directory directory;
    ASSERT_TRUE(walk.Next(directory));   // the root; the reader is on "a" by now or soon
    held.Release();
    std::vector<std::wstring> shown{directory.folder->shown};
    std::vector<size_t> files{directory.files.size()};
    while (walk.Next(directory)) {
        shown.push_back(directory.folder->shown);
        files.push_back(directory.files.size());
    }
    EXPECT_EQ(shown, expectedShown);
    EXPECT_EQ(files, expectedFiles);
}

// Names long enough that the folder takes several reads: each is read, and the last is found again.
TEST(DirectoryListing, AFolderLargerThanOneReadIsReadWhole) {
    TempTree tree;
    const std::wstring longName(200, L'n');
    for (int i = 0; i < 400; ++i) tree.File(longName + std::to_wstring(i));
    const FolderRef start = StartOf(tree);
    EXPECT_EQ(ListDirectory(start->handle.get(), start->shown).files.size(), 400u);
    EXPECT_EQ(FilesStillListed(start->handle.get(), start->shown, {longName + L"399", L"gone"}),
              (std::vector<bool>{true, false}));
}

// The start is opened once, by its path: a missing one fails at once, naming it.
TEST(DirectoryWalk, AStartThatCannotBeOpenedFailsBeforeTheWalk) {
    TempTree tree;
    try {
        HoldStart(tree.Path(L"absent"), FolderSharing::Open);
        FAIL() << "a missing start was held";
    } catch (const win32::Error& failure) {
        EXPECT_EQ(failure.Win32Code(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
        EXPECT_EQ(failure.Subject(), tree.Path(L"absent"));
    }
}

}  // namespace
}  // namespace modMain
