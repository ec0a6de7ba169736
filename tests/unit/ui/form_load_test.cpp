// Start-up: the default directory, the switches, the list file lookup with its
// offer to create a missing file, and start-up failures.
#include "command_line.h"
#include "control_ids.h"
#include "exit_codes.h"
#include "main_window/list_file_lookup.h"
#include "handle_owners.h"
#include "error.h"
#include "system_message.h"
#include "ui_test_support.h"
#include "program_paths.h"

namespace {

using Strings = std::vector<std::wstring>;
constexpr UINT kQuestion = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1;

class FormLoadTest : public StatusTest {
protected:
    // A second start-up in the same test: the first window gone, its quit and its boxes with it.
    void StartAgain() {
        form.reset();
        DrainQuit();
        dialogs.calls.clear();
    }
    // An unattended load that fails: no box, the program ends with a failure, and
    // standard error (captured in errorsFile) holds words.
    void ExpectUnattendedFailure(const std::wstring& errorsFile, const char* words) {
        arguments = L"/AUTO /QUIET";
        CapturedStream errors(STD_ERROR_HANDLE, folder / errorsFile);
        Form().Form_Load();
        EXPECT_TRUE(dialogs.calls.empty());
        EXPECT_TRUE(form->Ended());
        EXPECT_EQ(form->ExitCode(), kExitFailed);
        EXPECT_NE(errors.Text().find(words), std::string::npos) << errors.Text();
    }
};

TEST_F(FormLoadTest, LoadsTheListFileIntoTheListBoxUnderTheWindowsTempDirectory) {
    WriteList(">junk\r\n*.tmp\r\n\r\n*.bak\r\n*.tmp\r\n");
    Form().Form_Load();
    EXPECT_FALSE(form->Ended());
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_EQ(form->DirText(), frmStatus::FixPath(modMain::GetWindowsDir()) + L"TEMP\\");
    EXPECT_EQ(Rows(), (Strings{L"*.tmp#1", L"*.bak#2", L"*.tmp#3"}));
    EXPECT_FALSE(IsWindowVisible(form->Window())) << "shown only after loading";
}

TEST_F(FormLoadTest, TheDirSwitchSetsTheFieldExactly) {
    WriteList("");
    arguments = L"/dir C:\\My Files  /QUIET";
    Form().Form_Load();
    EXPECT_EQ(form->DirText(), L"C:\\My Files ");
}

TEST_F(FormLoadTest, MinShowsTheWindowMinimisedAndQuietAloneStillShowsIt) {
    WriteList("");
    arguments = L"/QUIET /MIN";
    Form().Form_Load();
    form->Show();
    EXPECT_TRUE(IsWindowVisible(form->Window()));
    EXPECT_TRUE(IsIconic(form->Window()));
    ShowWindow(form->Window(), SW_RESTORE);
    EXPECT_EQ(GetFocus(), form->Control(IDC_TXTDIR)) << "restored, the field has the focus";
}

TEST_F(FormLoadTest, ShowPutsTheFocusInTheDirectoryFieldWithItsTextSelected) {
    WriteList("");
    Form().Form_Load();
    form->Show();
    EXPECT_TRUE(IsWindowVisible(form->Window()));
    EXPECT_FALSE(IsIconic(form->Window()));
    EXPECT_EQ(GetFocus(), form->Control(IDC_TXTDIR));
    DWORD start = 1, end = 0;
    SendMessageW(form->Control(IDC_TXTDIR), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, form->DirText().size());
}

TEST_F(FormLoadTest, TheListFileLookupSeesNormalFilesOnly) {
    folder.WriteFile(L"plain", "");
    folder.WriteFile(L"readonly", "");
    folder.WriteFile(L"hidden", "");
    folder.WriteFile(L"system", "");
    folder.MakeFolder(L"folder");
    SetFileAttributesW((folder / L"readonly").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    SetFileAttributesW((folder / L"hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((folder / L"system").c_str(), FILE_ATTRIBUTE_SYSTEM);
    EXPECT_TRUE(ListFileExists(folder / L"plain"));
    EXPECT_TRUE(ListFileExists(folder / L"readonly"));
    EXPECT_FALSE(ListFileExists(folder / L"hidden"));
    EXPECT_FALSE(ListFileExists(folder / L"system"));
    EXPECT_FALSE(ListFileExists(folder / L"folder"));
    EXPECT_FALSE(ListFileExists(folder / L"missing"));
    SetFileAttributesW((folder / L"readonly").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FormLoadTest, NoToTheMissingFileQuestionEndsTheProgramUnseen) {
    dialogs.answers = {IDNO};
    Form().Form_Load();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text, L"KILL.LST was not found. Create a new blank file?");
    EXPECT_EQ(dialogs.calls[0].title, L"Error - File Not Found");
    EXPECT_EQ(dialogs.calls[0].type, kQuestion);
    EXPECT_TRUE(form->Ended());
    EXPECT_EQ(form->ExitCode(), kExitOk) << "the user chose not to start";
    EXPECT_FALSE(IsWindow(form->Window()));
    EXPECT_FALSE(folder.Exists(L"KILL.LST"));
}

TEST_F(FormLoadTest, NoToTheMissingFileQuestionOfAnAutoStartMeansNoRunAFailure) {
    arguments = L"/AUTO /QUIET";   // the question comes whatever the switches
    dialogs.answers = {IDNO};
    CapturedStream errors(STD_ERROR_HANDLE, folder / L"errors.txt");
    Form().Form_Load();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].title, L"Error - File Not Found");
    EXPECT_TRUE(form->Ended());
    EXPECT_EQ(form->ExitCode(), kExitFailed);
    EXPECT_EQ(errors.Lines(), Strings{L"KILL.LST was not found and not created: no delete run was made."});
    EXPECT_FALSE(folder.Exists(L"KILL.LST"));
}

// A folder in the list's place cannot be read, and no file can be created
// there: said plainly, without the offer to create one.
TEST_F(FormLoadTest, AFolderNamedKillLstIsAFailureWithoutTheQuestion) {
    folder.MakeFolder(L"KILL.LST");
    dialogs.answers = {IDOK};
    Form().Form_Load();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].title, L"Scourway");
    EXPECT_EQ(dialogs.calls[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(dialogs.calls[0].text,
              L"KILL.LST is a folder, not a file: the pattern list can be neither read nor created.\r\n" +
                  (folder / L"KILL.LST"));
    EXPECT_TRUE(form->Ended());
    EXPECT_EQ(form->ExitCode(), kExitFailed);

    // Unattended, the same words go to standard error alone; a hidden folder is a folder too.
    StartAgain();
    SetFileAttributesW((folder / L"KILL.LST").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    ExpectUnattendedFailure(L"errors.txt", "KILL.LST is a folder");
}

TEST_F(FormLoadTest, YesCreatesAnEmptyListFileAndAnAutoRunUsesIt) {
    folder.WriteFile(L"KILL.LST", "*.tmp\r\n");
    SetFileAttributesW((folder / L"KILL.LST").c_str(), FILE_ATTRIBUTE_HIDDEN);   // counts as missing
    folder.MakeFolder(L"tree");
    folder.WriteFile(L"tree\\a.tmp", "x");
    arguments = L"/AUTO /QUIET /DIR " + (folder / L"tree");
    dialogs.answers = {IDYES};
    Form().Form_Load();
    ASSERT_EQ(dialogs.calls.size(), 1u) << "no confirmation and no summary under QUIET";
    EXPECT_EQ(folder.Read(L"KILL.LST"), "");
    EXPECT_TRUE(Rows().empty());
    EXPECT_TRUE(folder.Exists(L"tree\\a.tmp")) << "the new list is empty";
    EXPECT_TRUE(form->Ended()) << "AUTO ends the program after its run";
    EXPECT_EQ(form->ExitCode(), kExitOk);
}

TEST_F(FormLoadTest, AListFileThatCannotBeCreatedStopsTheStartUp) {
    StatusEnvironment environment;
    environment.listFile = folder / L"no such folder\\KILL.LST";
    environment.arguments = [] { return std::wstring(); };
    dialogs.answers = {IDYES, IDOK};
    form = std::make_unique<frmStatus>(environment, &dialogs);
    form->Form_Load();
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[1].title, L"Scourway");
    EXPECT_EQ(dialogs.calls[1].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_NE(dialogs.calls[1].text.find(environment.listFile), std::wstring::npos);
    EXPECT_TRUE(form->Ended());
    EXPECT_EQ(form->ExitCode(), kExitFailed);
}

TEST_F(FormLoadTest, AListFileThatCannotBeReadStopsTheStartUp) {
    WriteList("*.tmp\r\n");
    win32::FileHandle locked(CreateFileW((folder / L"KILL.LST").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locked);
    dialogs.answers = {IDOK};
    Form().Form_Load();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].title, L"Scourway");
    EXPECT_NE(dialogs.calls[0].text.find(folder / L"KILL.LST"), std::wstring::npos);
    EXPECT_NE(dialogs.calls[0].text.find(win32::SystemMessage(ERROR_SHARING_VIOLATION)), std::wstring::npos)
        << testing::PrintToString(dialogs.calls[0].text);
    EXPECT_TRUE(form->Ended());
    EXPECT_EQ(form->ExitCode(), kExitFailed);
}


// An unattended run must not wait on a box nobody reads: the failure goes to
// standard error and the program ends. The missing-list question is still asked.
TEST_F(FormLoadTest, UnattendedStartUpFailuresGoToStandardErrorWithoutABox) {
    StatusEnvironment environment;
    environment.listFile = folder / L"no such folder\\KILL.LST";
    environment.arguments = [] { return std::wstring(L"/AUTO /QUIET"); };
    dialogs.answers = {IDYES};
    {
        CapturedStream errors(STD_ERROR_HANDLE, folder / L"errors.txt");
        form = std::make_unique<frmStatus>(environment, &dialogs);
        form->Form_Load();
        ASSERT_EQ(dialogs.calls.size(), 1u);
        EXPECT_EQ(dialogs.calls[0].title, L"Error - File Not Found");
        EXPECT_TRUE(form->Ended());
        EXPECT_EQ(form->ExitCode(), kExitFailed);
        const std::wstring& list = environment.listFile;   // plain ASCII here
        EXPECT_NE(errors.Text().find(std::string(list.begin(), list.end())), std::string::npos) << errors.Text();
    }

    // A list that cannot be read: no box at all.
    StartAgain();
    WriteList("*.tmp\r\n");
    win32::FileHandle locked(CreateFileW((folder / L"KILL.LST").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locked);
    ExpectUnattendedFailure(L"errors-2.txt", "KILL.LST");
}

}  // namespace
