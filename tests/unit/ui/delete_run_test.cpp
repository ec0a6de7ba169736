// The delete run: confirmation, the locked window during the sweep, the summary,
// and how a failing or interrupted sweep leaves the window and the exit code.
#include <algorithm>
#include <functional>
#include "run_report/busy_pointer.h"
#include "control_ids.h"
#include "exit_codes.h"
#include "run_report/run_messages.h"
#include "error.h"
#include "handle_owners.h"
#include "text_conversion.h"
#include "system_message.h"
#include "window_text.h"
#include "ui_test_support.h"

namespace {

constexpr int kLocked[] = {IDC_CMDSAVE, IDC_TXTDIR,    IDC_LSTDELETE, IDC_CMDPROCESS,
                           IDC_CMDADD,  IDC_CMDBROWSE, IDC_CMDREMOVE, IDC_CMDCLOSE};

// What the window looked like each time the sweep's caption reached it.
struct RunSnapshot {
    std::wstring caption;
    bool busy;
    bool anyLockedEnabled;
    bool aboutEnabled;
};

class DeleteRunTest : public StatusTest {
protected:
    void SetUp() override {
        StatusTest::SetUp();
        folder.MakeFolder(L"tree");
        folder.MakeFolder(L"tree\\one");
        folder.MakeFolder(L"tree\\two");
        folder.WriteFile(L"tree\\a.tmp", "x");
        folder.WriteFile(L"tree\\keep.txt", "x");
        folder.WriteFile(L"tree\\one\\b.tmp", "x");
        folder.WriteFile(L"tree\\two\\c.bak", "x");
    }
    void TearDown() override {
        if (hook_) UnhookWindowsHookEx(hook_);
        watched_ = nullptr;
        StatusTest::TearDown();
    }

    void Load(const std::wstring& directory) {
        WriteList("*.tmp\r\n*.bak\r\n");
        Form().Form_Load();
        ASSERT_FALSE(form->Ended());
        form->SetDirText(directory);
    }

    // Records the window's state whenever its caption changes during a run.
    void WatchCaptions() {
        watched_ = this;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &DeleteRunTest::OnMessage, nullptr, GetCurrentThreadId());
        ASSERT_NE(hook_, nullptr);
    }

    void ExpectIdle() {
        EXPECT_EQ(win32::WindowText(form->Window()), L"Scourway");
        EXPECT_FALSE(BusyPointer::Active());
        for (int id : kLocked) EXPECT_TRUE(Enabled(id)) << "control " << id;
    }

    std::vector<RunSnapshot> snapshots;

private:
    static LRESULT CALLBACK OnMessage(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && watched_ && watched_->form && message->message == WM_SETTEXT &&
            message->hwnd == watched_->form->Window()) {
            // The pointer over the list box, as the window answers for it.
            const WPARAM list = reinterpret_cast<WPARAM>(watched_->form->Control(IDC_LSTDELETE));
            const bool answered =
                SendMessageW(message->hwnd, WM_SETCURSOR, list, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)) == TRUE;
            const bool hourglass = answered && GetCursor() == LoadCursorW(nullptr, IDC_WAIT);
            RunSnapshot shot{reinterpret_cast<const wchar_t*>(message->lParam), hourglass, false,
                             watched_->Enabled(IDC_CMDABOUT)};
            for (int id : kLocked) shot.anyLockedEnabled |= watched_->Enabled(id);
            watched_->snapshots.push_back(shot);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline DeleteRunTest* watched_ = nullptr;
    HHOOK hook_ = nullptr;
};

TEST_F(DeleteRunTest, TheConfirmationQuotesTheDirectoryAsTypedAndNoLeavesNoTrace) {
    Load(folder / L"tree  ");
    dialogs.answers = {IDNO};
    WatchCaptions();
    form->cmdProcess_Click();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].title, L"Confirm Delete");
    EXPECT_EQ(dialogs.calls[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1));
    EXPECT_EQ(dialogs.calls[0].text,
              L"Are you sure you wish to delete the listed files starting from " + (folder / L"tree  ") +
                  L"?\r\n\r\nWARNING: This can NOT be undone and will recursively delete the listed files in ALL "
                  L"subdirectories.");
    EXPECT_TRUE(snapshots.empty()) << "the caption never changed";
    ExpectIdle();
    EXPECT_TRUE(folder.Exists(L"tree\\a.tmp"));
}

TEST_F(DeleteRunTest, ARunLocksTheWindowFollowsTheWalkAndReportsTheCounts) {
    Load(folder / L"tree");
    dialogs.answers = {IDYES, IDOK};
    WatchCaptions();
    form->cmdProcess_Click();

    EXPECT_FALSE(folder.Exists(L"tree\\a.tmp"));
    EXPECT_FALSE(folder.Exists(L"tree\\one\\b.tmp"));
    EXPECT_FALSE(folder.Exists(L"tree\\two\\c.bak"));
    EXPECT_TRUE(folder.Exists(L"tree\\keep.txt"));
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[1].title, L"Scourway");
    EXPECT_EQ(dialogs.calls[1].text, L"3 total files deleted in 3 directories.");
    EXPECT_EQ(dialogs.calls[1].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));

    ASSERT_GE(snapshots.size(), 2u);
    EXPECT_EQ(snapshots.front().caption, L"Scourway - " + (folder / L"tree"));
    for (size_t i = 0; i + 1 < snapshots.size(); ++i) {
        EXPECT_TRUE(snapshots[i].busy);
        EXPECT_FALSE(snapshots[i].anyLockedEnabled);
        EXPECT_TRUE(snapshots[i].aboutEnabled) << "the About button stays usable";
    }
    EXPECT_EQ(snapshots.back().caption, L"Scourway");
    ExpectIdle();
    EXPECT_EQ(form->ExitCode(), kExitOk);

    // A second run counts from zero.
    dialogs.answers = {IDYES, IDOK};
    form->cmdProcess_Click();
    EXPECT_EQ(dialogs.calls.back().text, L"0 total files deleted in 3 directories.");
}

TEST_F(DeleteRunTest, QuietAndAutoSkipTheirBoxes) {
    Load(folder / L"tree\\one");
    arguments = L"/QUIET";
    form->cmdProcess_Click();
    EXPECT_TRUE(dialogs.calls.empty()) << "QUIET: no confirmation, no summary";
    EXPECT_FALSE(folder.Exists(L"tree\\one\\b.tmp"));

    form->SetDirText(folder / L"tree\\two");
    arguments = L"/AUTO";
    dialogs.answers = {IDOK};
    form->cmdProcess_Click();
    ASSERT_EQ(dialogs.calls.size(), 1u) << "AUTO: the summary only";
    EXPECT_EQ(dialogs.calls[0].text, L"1 total files deleted in 1 directories.");
    EXPECT_FALSE(folder.Exists(L"tree\\two\\c.bak"));
}

TEST_F(DeleteRunTest, FilesThatCouldNotBeDeletedAreCountedApart) {
    SetFileAttributesW((folder / L"tree\\one\\b.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
    Load(folder / L"tree");
    arguments = L"/AUTO";
    dialogs.answers = {IDOK};
    form->cmdProcess_Click();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text,
              L"2 total files deleted in 3 directories.\r\n\r\n1 matching files could not be deleted.");
    EXPECT_TRUE(folder.Exists(L"tree\\one\\b.tmp"));
    EXPECT_EQ(form->ExitCode(), kExitOk);
}

TEST_F(DeleteRunTest, AFailingSweepIsReportedAndRestoresTheWindow) {
    Load(folder / L"missing");
    dialogs.answers = {IDYES, IDOK};
    form->cmdProcess_Click();
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[1].title, L"Scourway");
    EXPECT_EQ(dialogs.calls[1].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_NE(dialogs.calls[1].text.find(win32::SystemMessage(ERROR_PATH_NOT_FOUND)), std::wstring::npos);
    EXPECT_NE(dialogs.calls[1].text.find(folder / L"missing"), std::wstring::npos);
    ExpectIdle();
    EXPECT_FALSE(form->Ended());
    EXPECT_EQ(form->ExitCode(), kExitFailed);

    // Unattended and quiet, nothing waits for a reader.
    arguments = L"/AUTO /QUIET";
    form->cmdProcess_Click();
    EXPECT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(form->ExitCode(), kExitFailed);
    ExpectIdle();
}

// A subfolder that cannot be opened (another program holds it) ends the sweep
// there; the report says what was done until then beside the platform's words.
TEST_F(DeleteRunTest, AFailureThatEndsTheSweepReportsTheWorkDoneSoFar) {
    Load(folder / L"tree");
    const win32::FileHandle heldTwo(CreateFileW((folder / L"tree\\two").c_str(), GENERIC_READ, 0, nullptr,
                                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(heldTwo);
    dialogs.answers = {IDYES, IDOK};
    std::vector<std::wstring> output, errors;
    {
        CapturedStream out(STD_OUTPUT_HANDLE, folder / L"out.txt");
        CapturedStream err(STD_ERROR_HANDLE, folder / L"err.txt");
        form->cmdProcess_Click();
        output = out.Lines();
        errors = err.Lines();
    }
    EXPECT_FALSE(folder.Exists(L"tree\\a.tmp"));
    EXPECT_FALSE(folder.Exists(L"tree\\one\\b.tmp"));
    EXPECT_TRUE(folder.Exists(L"tree\\two\\c.bak"));
    ASSERT_EQ(dialogs.calls.size(), 2u);
    const std::wstring description = win32::SystemMessage(ERROR_SHARING_VIOLATION) + L"\r\n" + (folder / L"tree\\two");
    const std::wstring soFar = L"The delete run ended on a failure. So far: 2 total files deleted in 2 directories.";
    EXPECT_EQ(dialogs.calls[1].text, description + L"\r\n\r\n" + soFar);
    EXPECT_EQ(dialogs.calls[1].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(output, (std::vector<std::wstring>{soFar, L"2 bytes freed."}));
    EXPECT_EQ(errors, (std::vector<std::wstring>{win32::SystemMessage(ERROR_SHARING_VIOLATION), folder / L"tree\\two"}));
    EXPECT_EQ(form->ExitCode(), kExitFailed);
    ExpectIdle();

    // A preview that fails says what it found so far, in its own words.
    folder.WriteFile(L"tree\\one\\new.tmp", "x");
    arguments = L"/PREVIEW /QUIET";
    dialogs.answers = {IDOK};
    form->cmdProcess_Click();
    ASSERT_EQ(dialogs.calls.size(), 3u);
    EXPECT_EQ(dialogs.calls[2].text,
              description + L"\r\n\r\nThe preview ended on a failure. So far: 1 files would be deleted in 2 directories.");
}

// What cannot be written to standard output is lost to whoever reads it: the
// run is a failure although its deletions stand.
class UnwritableStream {
public:
    UnwritableStream(DWORD which, const std::wstring& file) : which_(which), previous_(GetStdHandle(which)) {
        HANDLE created = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(created);
        handle_ = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(handle_, INVALID_HANDLE_VALUE);
        SetStdHandle(which_, handle_);
    }
    ~UnwritableStream() {
        SetStdHandle(which_, previous_);
        CloseHandle(handle_);
    }

private:
    DWORD which_;
    HANDLE previous_;
    HANDLE handle_;
};

TEST_F(DeleteRunTest, OutputThatCannotBeWrittenMakesTheRunAFailure) {
    Load(folder / L"tree");
    arguments = L"/AUTO /QUIET /PREVIEW";
    {
        UnwritableStream out(STD_OUTPUT_HANDLE, folder / L"out.txt");
        CapturedStream err(STD_ERROR_HANDLE, folder / L"err.txt");
        form->cmdProcess_Click();
        EXPECT_NE(err.Text().find("The standard output could not be written: " +
                                  win32::Utf8(win32::SystemMessage(ERROR_ACCESS_DENIED))),
                  std::string::npos)
            << err.Text();
    }
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_EQ(form->ExitCode(), kExitFailed);
    EXPECT_TRUE(folder.Exists(L"tree\\a.tmp"));

    // A delete run: the files go, the summary is lost, the run fails; a box says so
    // when someone is there to read it.
    arguments = L"/AUTO";
    dialogs.answers = {IDOK};
    {
        UnwritableStream out(STD_OUTPUT_HANDLE, folder / L"out-2.txt");
        form->cmdProcess_Click();
    }
    EXPECT_FALSE(folder.Exists(L"tree\\a.tmp"));
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text, L"3 total files deleted in 3 directories.\r\n\r\n" +
                                         OutputFailureText(ERROR_ACCESS_DENIED));
    EXPECT_EQ(dialogs.calls[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(form->ExitCode(), kExitFailed);
}

TEST_F(DeleteRunTest, ClosingTheWindowDuringARunStopsItAndEndsTheProgram) {
    Load(folder / L"tree");
    // The close arrives just after Yes, while the sweep is starting.
    dialogs.answers = {IDYES};
    dialogs.whileOpen = [this] { PostMessageW(form->Window(), WM_CLOSE, 0, 0); };
    form->cmdProcess_Click();
    EXPECT_TRUE(folder.Exists(L"tree\\a.tmp")) << "stopped before the first file";
    EXPECT_TRUE(folder.Exists(L"tree\\one\\b.tmp"));
    EXPECT_EQ(dialogs.calls.size(), 1u) << "no summary";
    EXPECT_TRUE(form->Ended());
    EXPECT_EQ(form->ExitCode(), kExitStopped);
    EXPECT_FALSE(IsWindow(form->Window()));
    EXPECT_FALSE(BusyPointer::Active());
}

TEST_F(DeleteRunTest, AnAutoStartRunsOnceAndEndsWithTheRunsOutcome) {
    WriteList("*.tmp\r\n");
    arguments = L"/AUTO /QUIET /DIR " + (folder / L"missing");
    Form().Form_Load();
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_TRUE(form->Ended());
    EXPECT_EQ(form->ExitCode(), kExitFailed);
}

// Sizes as Explorer shows them: the unit changes where the rounded figure would reach 1024.
TEST(RunMessages, SizesInTheUnitsAWindowsUserExpects) {
    const struct {
        ULONGLONG bytes;
        const wchar_t* text;
    } rows[] = {{0, L"0 bytes"}, {1, L"1 byte"}, {1023, L"1023 bytes"}, {1024, L"1.0 KB"}, {1536, L"1.5 KB"},
                {1048524, L"1023.9 KB"}, {1048525, L"1.0 MB"}, {5ULL << 30, L"5.0 GB"}, {3ULL << 40, L"3.0 TB"},
                {~0ULL, L"16777216.0 TB"}};
    for (const auto& row : rows) EXPECT_EQ(SizeText(row.bytes), row.text) << row.bytes;
}

// What a preview lists, and that the run then deletes just that, is the engine's
// and the real program's to show; here: no question, the window locked as in a
// run, and the summary box with what would stay.
TEST_F(DeleteRunTest, APreviewAsksNothingLocksTheWindowAndSumsUpInTheBox) {
    folder.WriteFile(L"tree\\one\\ro.tmp", "x");
    const std::wstring readOnly = folder / L"tree\\one\\ro.tmp";
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    Load(folder / L"tree");
    arguments = L"/PREVIEW";
    dialogs.answers = {IDOK};
    WatchCaptions();
    {
        CapturedStream out(STD_OUTPUT_HANDLE, folder / L"preview.txt");
        form->cmdProcess_Click();
    }
    ASSERT_EQ(dialogs.calls.size(), 1u) << "no confirmation, only the summary";
    EXPECT_EQ(dialogs.calls[0].title, L"Scourway");
    EXPECT_EQ(dialogs.calls[0].text,
              L"3 files would be deleted in 3 directories.\r\n\r\n1 matching files would stay (read-only).");
    EXPECT_EQ(dialogs.calls[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    for (const wchar_t* match : {L"tree\\a.tmp", L"tree\\one\\b.tmp", L"tree\\two\\c.bak"})
        EXPECT_TRUE(folder.Exists(match)) << "the preview deleted " << testing::PrintToString(match);

    ASSERT_GE(snapshots.size(), 2u);
    EXPECT_EQ(snapshots.front().caption, L"Scourway - " + (folder / L"tree"));
    EXPECT_TRUE(snapshots.front().busy);
    EXPECT_FALSE(snapshots.front().anyLockedEnabled);
    ExpectIdle();
    EXPECT_EQ(form->ExitCode(), kExitOk);
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Under Wine the Recycle Bin is $XDG_DATA_HOME/Trash; Wine reads the place once,
// so this process has one bin, in a folder of its own.
const TempFolder& RecycleBinFolder() {
    static TempFolder bin;
    static const bool placed = [] {
        const std::string host = HostPathOf(bin.path());
        return host.empty() || SetEnvironmentVariableW(L"XDG_DATA_HOME", std::wstring(host.begin(), host.end()).c_str());
    }();
    EXPECT_TRUE(placed);
    return bin;
}

TEST_F(DeleteRunTest, RecycleSaysWhereTheFilesGoAndMovesThemToTheRecycleBin) {
    const TempFolder& bin = RecycleBinFolder();
    Load(folder / L"tree");
    arguments = L"/RECYCLE";
    dialogs.answers = {IDYES, IDOK};
    form->cmdProcess_Click();
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[0].title, L"Confirm Delete");
    EXPECT_EQ(dialogs.calls[0].text,
              L"Are you sure you wish to delete the listed files starting from " + (folder / L"tree") +
                  L"?\r\n\r\nThe files will be moved to the Recycle Bin; they can be restored from there.");
    EXPECT_EQ(dialogs.calls[1].text, L"3 total files deleted in 3 directories.");
    for (const wchar_t* gone : {L"tree\\a.tmp", L"tree\\one\\b.tmp", L"tree\\two\\c.bak"}) {
        EXPECT_FALSE(folder.Exists(gone)) << testing::PrintToString(gone);
    }
    EXPECT_TRUE(folder.Exists(L"tree\\keep.txt"));
    if (!HostPathOf(bin.path()).empty()) {
        for (const wchar_t* recycled : {L"a.tmp", L"b.tmp", L"c.bak"})
            EXPECT_TRUE(bin.Exists(std::wstring(L"Trash\\files\\") + recycled)) << testing::PrintToString(recycled);
    }

    // PREVIEW wins: nothing goes anywhere.
    folder.WriteFile(L"tree\\again.tmp", "x");
    arguments = L"/RECYCLE /PREVIEW";
    dialogs.answers = {IDOK};
    form->cmdProcess_Click();
    EXPECT_EQ(dialogs.calls.back().text, L"1 files would be deleted in 3 directories.");
    EXPECT_TRUE(folder.Exists(L"tree\\again.tmp"));
}

}  // namespace

// The box adds the space freed when LOG (or OLDER) was given; the log, which no
// pattern takes, gets each run's leftovers and ending: done, failed or stopped.
TEST_F(DeleteRunTest, TheLogSaysWhatEachRunLeftAndHowItEnded) {
    WriteList("*.tmp\r\n*.bak\r\n*.log\r\n");
    Form().Form_Load();
    form->SetDirText(folder / L"tree");
    folder.WriteFile(L"tree\\two\\ro.bak", "x");
    SetFileAttributesW((folder / L"tree\\two\\ro.bak").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::wstring log = folder / L"tree\\run.log";
    arguments = L"/LOG:" + log;
    dialogs.answers = {IDYES, IDOK};
    form->cmdProcess_Click();
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[1].text, L"3 total files deleted in 3 directories.\r\n\r\n"
                                     L"1 matching files could not be deleted.\r\n\r\n3 bytes freed.");
    folder.WriteFile(L"tree\\again.tmp", "xy");
    const win32::FileHandle heldTwo(CreateFileW((folder / L"tree\\two").c_str(), GENERIC_READ, 0, nullptr,
                                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    arguments = L"/AUTO /QUIET /LOG:" + log;
    form->cmdProcess_Click();
    dialogs.answers = {IDYES};
    arguments = L"/LOG:" + log;
    dialogs.whileOpen = [this] { PostMessageW(form->Window(), WM_CLOSE, 0, 0); };
    form->cmdProcess_Click();

    const std::string text = folder.Read(L"tree\\run.log");
    const std::string tree = win32::Utf8(folder / L"tree");
    for (const std::string& line :
         {"Left: " + tree + "\\two\\ro.bak (read-only)\r\n", "Deleted: " + tree + "\\again.tmp\r\n",
          ".log: " + win32::Utf8(win32::SystemMessage(ERROR_SHARING_VIOLATION)) + " " + tree +
              "\\two The delete run ended on a failure. So far: 1 total files deleted in 2 directories. 2 bytes freed.",
          std::string(".log: The delete run was stopped. So far: ")})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in:\n" << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 8) << text;
    EXPECT_TRUE(folder.Exists(L"tree\\run.log"));
}
