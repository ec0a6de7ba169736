// The delete run seen from outside: the confirmation, what is deleted from a real tree,
// the summary, the window while the sweep works, and the unattended runs.
#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "scourway_test.h"

namespace e2e {
namespace {

using Files = std::vector<std::wstring>;

const std::wstring kConfirmStart = L"Are you sure you wish to delete the listed files starting from ";
const std::wstring kConfirmEnd =
    L"?\r\n\r\nWARNING: This can NOT be undone and will recursively delete the listed files in "
    L"ALL subdirectories.";

std::wstring SystemMessageText(DWORD code) {
    wchar_t text[512] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, 512, nullptr);
    std::wstring words = text;
    while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L' ')) words.pop_back();
    return words;
}

bool StartsWith(const std::wstring& text, const std::wstring& start) {
    return text.size() >= start.size() &&
           _wcsnicmp(text.c_str(), start.c_str(), start.size()) == 0;
}

class DeleteRun : public ScourwayTest {
protected:
    // tree\ with five directories (one of them named like a match) and six matches of
    // "*.bak" and "*.tmp" among files that must stay.
    void MakeJunkTree() {
        folder.WriteList("> junk\r\n*.bak\r\n*.tmp\r\n");
        folder.MakeDir(L"tree\\sub1\\deep");
        folder.MakeDir(L"tree\\sub2\\dir.bak");
        for (const wchar_t* file :
             {L"tree\\a.bak", L"tree\\keep.txt", L"tree\\notes.bakup", L"tree\\sub1\\b.tmp",
              L"tree\\sub1\\keep.doc", L"tree\\sub1\\hidden.bak", L"tree\\sub1\\deep\\c.bak",
              L"tree\\sub2\\D.TMP", L"tree\\sub2\\dir.bak\\inside.txt", L"tree\\sub2\\dir.bak\\e.bak"})
            folder.WriteFile(file, "junk");
        SetFileAttributesW(folder.PathOf(L"tree\\sub1\\hidden.bak").c_str(), FILE_ATTRIBUTE_HIDDEN);
    }
    const Files kJunkTreeKept{L"keep.txt", L"notes.bakup", L"sub1\\keep.doc", L"sub2\\dir.bak\\inside.txt"};
    const std::wstring kJunkTreeSummary = L"6 total files deleted in 5 directories.";
    const std::wstring kBigTreeSummary = L"25 total files deleted in 1026 directories.";

    // big\ with 25 x 40 subdirectories (1026 directories), and a "*.bak" match in each of
    // the 25 (and, with inLeaves, in each of the 1000 below them): a sweep long enough to be
    // watched from outside (seconds under Wine).
    void MakeBigTree(bool inLeaves) {
        folder.WriteList("*.bak\r\n");
        for (int i = 0; i < 25; ++i) {
            std::wstring mid = L"big\\d" + std::to_wstring(i);
            folder.MakeDir(mid);
            folder.WriteFile(mid + L"\\x.bak");
            for (int j = 0; j < 40; ++j) {
                std::wstring leaf = mid + L"\\e" + std::to_wstring(j);
                folder.MakeDir(leaf);
                if (inLeaves) folder.WriteFile(leaf + L"\\y.bak");
            }
        }
    }

    // Starts Scourway and a confirmed run on a big tree (see MakeBigTree).
    MainWindow StartBigRun(bool inLeaves) {
        MakeBigTree(inLeaves);
        MainWindow main = StartShown();
        RunConfirmed(main, folder.PathOf(L"big"));
        return main;
    }

    // Types the directory into txtDir, starts the run with the button and says Yes.
    void RunConfirmed(const MainWindow& main, const std::wstring& dir) {
        main.txtDir().SetText(dir);
        main.cmdProcess().Click();
        ExpectMessageBox(L"Confirm Delete", kConfirmStart + dir + kConfirmEnd, {IDYES, IDNO})
            .Answer(IDYES);
    }

    bool Running(const MainWindow& main) const { return StartsWith(main.Caption(), L"Scourway - "); }

    void WaitForSweepCaption(const MainWindow& main, const std::wstring& below) {
        program->WaitUntil([&] { return StartsWith(main.Caption(), L"Scourway - " + below); },
                           "the caption to show the sweep below " + Utf8(below));
    }

    void ExpectIdle(const MainWindow& main) {
        main.Settle();
        EXPECT_EQ(main.Caption(), L"Scourway");
        for (const Window& control : main.RunLockedControls())
            EXPECT_TRUE(control.Enabled()) << control.Describe();
        EXPECT_TRUE(main.cmdAbout().Enabled());
        EXPECT_FALSE(program->HasMessageBox());
        EXPECT_TRUE(program->Running());
    }
};

TEST_F(DeleteRun, EnterAsksWithTheFieldAsTypedAndNoChangesNothing) {
    MakeJunkTree();
    MainWindow main = StartShown();
    const std::wstring dir = folder.PathOf(L"tree") + L"  ";  // trailing spaces stay in the question
    main.txtDir().SetText(dir);
    PressKey(main, VK_RETURN);
    MessageBoxView box =
        ExpectMessageBox(L"Confirm Delete", kConfirmStart + dir + kConfirmEnd, {IDYES, IDNO});
    EXPECT_EQ(box.DefaultButton(), IDYES);
    EXPECT_EQ(box.Icon(), MessageIcon::Question) << ToString(box.Icon());
    box.Answer(IDNO);

    ExpectIdle(main);
    EXPECT_EQ(main.txtDir().Text(), dir);
    EXPECT_EQ(folder.FilesBelow(L"tree").size(), 10u);
}

TEST_F(DeleteRun, YesDeletesExactlyTheMatchesAndTwoRunsCountIndependently) {
    MakeJunkTree();
    MainWindow main = StartShown();
    RunConfirmed(main, folder.PathOf(L"tree"));
    MessageBoxView summary = ExpectMessageBox(L"Scourway", kJunkTreeSummary, {IDOK});
    EXPECT_EQ(summary.Icon(), MessageIcon::Information) << ToString(summary.Icon());
    EXPECT_EQ(folder.FilesBelow(L"tree"), kJunkTreeKept);
    summary.Answer(IDOK);
    ExpectIdle(main);

    // The second run, given the same directory with a trailing "\", walks the same tree.
    folder.WriteFile(L"tree\\new.bak");
    folder.WriteFile(L"tree\\sub2\\dir.bak\\new.tmp");
    RunConfirmed(main, folder.PathOf(L"tree") + L"\\");
    ExpectMessageBox(L"Scourway", L"2 total files deleted in 5 directories.", {IDOK}).Answer(IDOK);
    EXPECT_EQ(folder.FilesBelow(L"tree"), kJunkTreeKept);
    ExpectIdle(main);
}

TEST_F(DeleteRun, ReadOnlyMatchStaysAndIsReportedApart) {
    folder.WriteList("*.bak\r\n");
    folder.MakeDir(L"tree");
    folder.WriteFile(L"tree\\gone.bak");
    folder.WriteFile(L"tree\\locked.bak");
    SetFileAttributesW(folder.PathOf(L"tree\\locked.bak").c_str(), FILE_ATTRIBUTE_READONLY);
    MainWindow main = StartShown();
    main.txtDir().SetText(folder.PathOf(L"tree"));
    PressAltKey(main, L'd');  // the access key of "&Delete Files"
    ExpectMessageBox(L"Confirm Delete", kConfirmStart + folder.PathOf(L"tree") + kConfirmEnd,
                     {IDYES, IDNO})
        .Answer(IDYES);
    ExpectMessageBox(L"Scourway",
                     L"1 total files deleted in 1 directories.\n\n1 matching files could not be deleted.",
                     {IDOK})
        .Answer(IDOK);
    EXPECT_EQ(folder.FilesBelow(L"tree"), (Files{L"locked.bak"}));
    ExpectIdle(main);
}

TEST_F(DeleteRun, AListFileInsideTheTreeIsDeletedLikeAnyMatchWhileTheListStays) {
    folder.WriteList("*.lst\r\n*.bak\r\n");
    folder.WriteFile(L"old.bak");
    MainWindow main = StartShown();
    RunConfirmed(main, folder.Root());  // the program's own folder lies inside
    ExpectMessageBox(L"Scourway", L"2 total files deleted in 2 directories.", {IDOK}).Answer(IDOK);
    EXPECT_FALSE(folder.HasList());
    EXPECT_EQ(main.lstDelete().Rows(), (std::vector<ListBox::Row>{{L"*.lst", 1}, {L"*.bak", 2}}));

    main.cmdSave().Click();
    ExpectMessageBox(L"Confirm Save", L"Save the current list?", {IDYES, IDNO}).Answer(IDYES);
    main.Settle();
    EXPECT_EQ(folder.ReadList(), "*.lst\r\n*.bak\r\n");
}

class FailingRun : public DeleteRun, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(FailingRun, ReportsTheErrorAndRestoresTheWindow) {
    folder.WriteList("*.bak\r\n");
    folder.WriteFile(L"program\\trap.bak");  // in the current directory of the program
    MainWindow main = StartShown();
    std::wstring dir = GetParam();
    if (!dir.empty()) dir = folder.PathOf(dir);
    RunConfirmed(main, dir);
    MessageBoxView error = program->WaitForMessageBox();
    EXPECT_EQ(error.Title(), L"Scourway");
    EXPECT_FALSE(error.Text().empty());
    EXPECT_NE(WithPlainLineBreaks(error.Text())
                  .find(L"\n\nThe delete run ended on a failure. So far: 0 total files deleted in 0 directories."),
              std::wstring::npos)
        << Utf8(error.Text());
    EXPECT_EQ(error.Icon(), MessageIcon::Error) << ToString(error.Icon());
    EXPECT_EQ(error.Buttons(), (std::vector<int>{IDOK}));
    error.Answer(IDOK);
    ExpectIdle(main);
    EXPECT_TRUE(main.Visible());
    EXPECT_TRUE(folder.Exists(L"program\\trap.bak"));
}

INSTANTIATE_TEST_SUITE_P(Dirs, FailingRun, ::testing::Values(L"missing", L"missing\\deeper", L""));

TEST_F(DeleteRun, QuietAloneRunsAtOnceWithoutQuestionOrSummary) {
    MakeJunkTree();
    MainWindow main = StartShown(L"/QUIET /DIR " + folder.PathOf(L"tree"));
    main.cmdProcess().Click();
    program->WaitUntil([&] { return folder.FilesBelow(L"tree") == kJunkTreeKept && !Running(main); },
                       "the quiet run to delete the matches");
    ExpectIdle(main);
}

TEST_F(DeleteRun, AutoShowsTheSummaryWithoutEverShowingTheWindowThenEnds) {
    MakeJunkTree();
    Start(L"/AUTO /DIR " + folder.PathOf(L"tree"));
    MessageBoxView summary = ExpectMessageBox(L"Scourway", kJunkTreeSummary, {IDOK});
    EXPECT_FALSE(MainWindowVisible());
    EXPECT_EQ(folder.FilesBelow(L"tree"), kJunkTreeKept);
    summary.Answer(IDOK);
    EXPECT_EQ(WaitForExitUnseen(), 0u);
    EXPECT_NE(program->Output().find(Utf8(kJunkTreeSummary)), std::string::npos) << program->Output();
}

TEST_F(DeleteRun, AutoQuietDeletesSilentlyAndWritesTheSummaryLine) {
    MakeJunkTree();
    Start(L"/auto /quiet /dir " + folder.PathOf(L"tree"));
    EXPECT_EQ(WaitForExitUnseen(), 0u);
    EXPECT_EQ(folder.FilesBelow(L"tree"), kJunkTreeKept);
    EXPECT_NE(program->Output().find(Utf8(kJunkTreeSummary)), std::string::npos) << program->Output();
}

// A misspelt /PREVIEW is no licence to delete.
TEST_F(DeleteRun, AutoQuietWithAnUnknownSwitchDeletesNothingAndFails) {
    MakeJunkTree();
    Start(L"/AUTO /QUIET /PREVEIW /DIR " + folder.PathOf(L"tree"));
    EXPECT_EQ(WaitForExitUnseen(), 1u);
    EXPECT_EQ(folder.FilesBelow(L"tree").size(), 10u);
    EXPECT_NE(program->Output().find("Unknown switch: /PREVEIW. Nothing was deleted."), std::string::npos)
        << program->Output();
}

// Its output says the run failed, with what it did so far, never a plain summary.
TEST_F(DeleteRun, AutoQuietOnAMissingDirectoryFailsWithoutABox) {
    folder.WriteList("*.bak\r\n");
    Start(L"/AUTO /QUIET /DIR " + folder.PathOf(L"missing"));
    EXPECT_EQ(WaitForExitUnseen(), 1u);
    const std::string output = program->Output();
    const std::string soFar = "The delete run ended on a failure. So far: 0 total files deleted in 0 directories.";
    EXPECT_NE(output.find(soFar), std::string::npos) << output;
    EXPECT_EQ(output.find("total files deleted"), output.find(soFar) + soFar.find("total files deleted")) << output;
}

// The subdirectory of `relative` that a walk of it reaches last: the last one its listing gives.
std::wstring LastListedSubdirectory(const ProgramFolder& folder, const std::wstring& relative) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder.PathOf(relative) + L"\\*").c_str(), &found);
    std::wstring last;
    if (search == INVALID_HANDLE_VALUE) return last;
    do {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..") last = name;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return relative + L"\\" + last;
}

TEST_F(DeleteRun, AFolderRemovedDuringTheRunEndsItAndTheWorkDoneSoFarIsReported) {
    MakeBigTree(true);
    const std::wstring victim = LastListedSubdirectory(folder, L"big");   // 1 + 40 directories, 41 files
    MainWindow main = StartShown();
    RunConfirmed(main, folder.PathOf(L"big"));
    WaitForSweepCaption(main, folder.PathOf(L"big\\d"));
    // The About window, open, holds the run inside its yield: the sweep cannot move on
    // while the folder it has listed but not reached is removed.
    main.cmdAbout().Click();
    Window about = program->WaitForWindow(
        [](const Window& w) { return w.ClassName() == L"ScourwayAbout" && w.Visible(); }, "the About window");
    ASSERT_EQ(main.Caption().find(folder.PathOf(victim)), std::wstring::npos) << "the sweep reached it first";
    RemoveTree(folder.PathOf(victim));
    PressKey(about, VK_ESCAPE);

    MessageBoxView error = program->WaitForMessageBox();
    EXPECT_EQ(error.Title(), L"Scourway");
    EXPECT_EQ(error.Icon(), MessageIcon::Error) << ToString(error.Icon());
    const std::wstring text = WithPlainLineBreaks(error.Text());
    const std::wstring lead = SystemMessageText(ERROR_PATH_NOT_FOUND) + L"\n" + folder.PathOf(victim) +
                              L"\n\nThe delete run ended on a failure. So far: ";
    ASSERT_EQ(text.substr(0, lead.size()), lead) << Utf8(text);
    int deleted = -1, directories = -1;
    ASSERT_EQ(swscanf(text.c_str() + lead.size(), L"%d total files deleted in %d directories.", &deleted,
                      &directories), 2)
        << Utf8(text);
    // Every directory done before the failure had its files deleted; the rest stand.
    const Files left = folder.FilesBelow(L"big");
    EXPECT_EQ(static_cast<size_t>(deleted) + left.size(), 1025u - 41u);
    EXPECT_EQ(directories, deleted + 1) << "big, and one directory per deleted file below it";
    EXPECT_GT(deleted, 0);
    error.Answer(IDOK);
    ExpectIdle(main);
}

// Output lost to a full disk is a failure, although what was deleted stays deleted.
TEST_F(DeleteRun, AutoRunsWhoseStandardOutputCannotBeWrittenFail) {
    MakeJunkTree();
    const std::wstring full = WindowsPathOf("/dev/full");
    HANDLE device = CreateFileW(full.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no device that is always full";
    CloseHandle(device);
    Start(L"/AUTO /QUIET /PREVIEW /DIR " + folder.PathOf(L"tree"), full);
    EXPECT_EQ(WaitForExitUnseen(), 1u);
    EXPECT_EQ(folder.FilesBelow(L"tree").size(), 10u) << "a preview deletes nothing";
    EXPECT_NE(program->Output().find("The standard output could not be written: "), std::string::npos)
        << program->Output();

    Start(L"/AUTO /QUIET /DIR " + folder.PathOf(L"tree"), full);
    EXPECT_EQ(WaitForExitUnseen(), 1u);
    EXPECT_EQ(folder.FilesBelow(L"tree"), kJunkTreeKept);
    EXPECT_NE(program->Output().find(Utf8(kJunkTreeSummary)), std::string::npos) << program->Output();
}

TEST_F(DeleteRun, ControlsAreLockedWhileTheSweepWorksAndTheCaptionFollowsIt) {
    MainWindow main = StartBigRun(false);
    const std::wstring big = folder.PathOf(L"big");
    WaitForSweepCaption(main, big);

    std::vector<Window> locked = main.RunLockedControls();
    std::vector<bool> enabled;
    for (const Window& control : locked) enabled.push_back(control.Enabled());
    bool aboutEnabled = main.cmdAbout().Enabled();
    std::wstring caption = main.Caption();
    // Read between the first caption of the sweep and its reset: all inside the run.
    ASSERT_TRUE(StartsWith(caption, L"Scourway - ")) << "the run ended before it could be watched";
    for (size_t i = 0; i < locked.size(); ++i) EXPECT_FALSE(enabled[i]) << locked[i].Describe();
    EXPECT_TRUE(aboutEnabled);

    // The caption moves on through the tree.
    program->WaitUntil([&] {
        std::wstring now = main.Caption();
        return now != caption && (StartsWith(now, L"Scourway - " + big) || !Running(main));
    }, "the caption to change during the sweep");

    ExpectMessageBox(L"Scourway", kBigTreeSummary, {IDOK}).Answer(IDOK);
    ExpectIdle(main);
}

TEST_F(DeleteRun, EnterAndEscDuringARunNeitherStartAnotherNorEndTheProgram) {
    MainWindow main = StartBigRun(false);
    WaitForSweepCaption(main, folder.PathOf(L"big"));
    PressKey(main, VK_RETURN);
    PressKey(main, VK_ESCAPE);
    PressAltKey(main, L'c');
    main.Settle();
    ASSERT_TRUE(Running(main)) << "the run ended before the keys were handled";

    // What comes next is this run's summary, not a second confirmation.
    ExpectMessageBox(L"Scourway", kBigTreeSummary, {IDOK}).Answer(IDOK);
    ExpectIdle(main);
}

TEST_F(DeleteRun, ClosingTheWindowDuringARunStopsItAndEndsTheProgram) {
    MainWindow main = StartBigRun(true);
    // A leaf is entered only after its parent's own match has been deleted.
    program->WaitUntil([&] { return main.Caption().find(L"\\e") != std::wstring::npos; },
                       "the sweep to reach a leaf directory");
    main.Post(WM_CLOSE);
    EXPECT_EQ(program->WaitForExit(), 2u) << "the exit code of a stopped run";
    Files left = folder.FilesBelow(L"big");
    EXPECT_FALSE(left.empty()) << "the whole tree was swept although the window was closed";
    EXPECT_LT(left.size(), 1025u) << "nothing was deleted";
    // The stopped run says what it did: exactly the files that went, in the directories entered.
    const std::string output = program->Output();
    const std::string soFar = "The delete run was stopped. So far: " + std::to_string(1025 - left.size()) +
                              " total files deleted in ";
    EXPECT_NE(output.find(soFar), std::string::npos) << output;
}

// A scheduled cleanup's command line: only the matches last written 30 days ago
// or more go, the log says which, and the output ends with the space freed.
TEST_F(DeleteRun, AutoQuietOlderWithALogDeletesOnlyTheOldMatchesAndLogsThem) {
    folder.WriteList("*.tmp\r\n*.log\r\n");
    folder.MakeDir(L"tree\\sub");
    for (const wchar_t* file : {L"tree\\old.tmp", L"tree\\new.tmp", L"tree\\sub\\older.tmp"})
        folder.WriteFile(file, "junk");
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    for (const auto& [file, days] : {std::pair{L"tree\\old.tmp", 30}, {L"tree\\new.tmp", 29}, {L"tree\\sub\\older.tmp", 400}}) {
        HANDLE handle = CreateFileW(folder.PathOf(file).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ULARGE_INTEGER when{{now.dwLowDateTime, now.dwHighDateTime}};
        when.QuadPart -= days * 864'000'000'000ULL;
        const FILETIME time{when.LowPart, when.HighPart};
        EXPECT_TRUE(SetFileTime(handle, nullptr, nullptr, &time));
        CloseHandle(handle);
    }
    const std::wstring log = folder.PathOf(L"tree\\cleanup.log");
    Start(L"/AUTO /QUIET /OLDER:30 /LOG:" + log + L" /DIR " + folder.PathOf(L"tree"));
    EXPECT_EQ(WaitForExitUnseen(), 0u);
    EXPECT_EQ(folder.FilesBelow(L"tree"), (Files{L"cleanup.log", L"new.tmp"}));
    EXPECT_NE(program->Output().find("2 total files older than 30 days deleted in 2 directories.\r\n8 bytes freed."),
              std::string::npos)
        << program->Output();
    const std::string logged = ReadBytes(log);
    for (const wchar_t* file : {L"tree\\old.tmp", L"tree\\sub\\older.tmp"})
        EXPECT_NE(logged.find("Deleted: " + Utf8(folder.PathOf(file)) + "\r\n"), std::string::npos) << logged;
    EXPECT_NE(logged.find(" deleted in 2 directories. 8 bytes freed.\r\n"), std::string::npos) << logged;
}

}  // namespace
}  // namespace e2e
