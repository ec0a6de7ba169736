// Start-up seen from outside: the main window as it first appears, the switches, the
// question about a missing KILL.LST, and the ways the program ends.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "scourway_test.h"
#include "screen_pixels.h"

namespace e2e {
namespace {

using Rows = std::vector<ListBox::Row>;

class Startup : public ScourwayTest {
protected:
    static constexpr const wchar_t* kMissingTitle = L"Error - File Not Found";
    static constexpr const wchar_t* kMissingText = L"KILL.LST was not found. Create a new blank file?";

    // The question about a missing KILL.LST, checked and answered.
    void AnswerMissingList(int button) {
        ExpectMessageBox(kMissingTitle, kMissingText, {IDYES, IDNO}).Answer(button);
    }
};

TEST_F(Startup, WithoutSwitchesShowsTheDefaultDirectorySelectedAndTheListInFileOrder) {
    folder.WriteList(
        "> patterns for the build tree\r\n"
        "\r\n"
        "*.bak\r\n"
        "   *.tmp   \r\n"
        "   > an indented comment\r\n"
        "\tTab.txt\r\n"
        "~*.*\r\n"
        "*.bak");  // a duplicate, and a last line without a line end
    MainWindow main = StartShown();

    EXPECT_EQ(main.Caption(), L"Scourway");
    EXPECT_FALSE(main.Iconic());
    EXPECT_FALSE(main.Zoomed());
    Edit dir = main.txtDir();
    EXPECT_EQ(dir.Text(), DefaultStartDir());
    EXPECT_EQ(dir.GetSelection().start, 0);
    EXPECT_EQ(dir.GetSelection().end, static_cast<int>(DefaultStartDir().size()));

    Rows expected{{L"*.bak", 1}, {L"*.tmp", 2}, {L"\tTab.txt", 3}, {L"~*.*", 4}, {L"*.bak", 5}};
    EXPECT_EQ(main.lstDelete().Rows(), expected) << ToString(main.lstDelete().Rows());
    EXPECT_EQ(main.lstDelete().Selected(), -1);
}

TEST_F(Startup, ListIsReadInTheAnsiCodePageAndLongListsScroll) {
    std::string bytes = "caf\xE9.txt\r\n\x80uro\xA9\r\n";
    for (int i = 3; i <= 40; ++i) bytes += "file" + std::to_string(i) + ".tmp\r\n";
    folder.WriteList(bytes);
    MainWindow main = StartShown();
    ListBox list = main.lstDelete();
    ASSERT_EQ(list.Count(), 40);
    EXPECT_EQ(list.Rows()[0], (ListBox::Row{FromAnsi("caf\xE9.txt"), 1}));
    EXPECT_EQ(list.Rows()[1], (ListBox::Row{FromAnsi("\x80uro\xA9"), 2}));
    EXPECT_EQ(list.Rows()[39], (ListBox::Row{L"file40.tmp", 40}));
    EXPECT_TRUE(list.Style() & WS_VSCROLL);
}

// Fifty thousand patterns: the window still opens, every row is there, and the list
// scrolls to its last row and back (no time is measured here: the bench does that).
TEST_F(Startup, ListOfFiftyThousandPatternsOpensAndScrolls) {
    constexpr int kPatterns = 50000;
    std::string bytes;
    for (int i = 1; i <= kPatterns; ++i) bytes += "pattern" + std::to_string(i) + ".tmp\r\n";
    folder.WriteList(bytes);
    MainWindow main = StartShown();
    ListBox list = main.lstDelete();
    ASSERT_EQ(list.Count(), kPatterns);
    EXPECT_EQ(list.Send(LB_GETTOPINDEX), 0);

    list.Send(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0));
    main.Settle();
    const int visibleRows = list.ClientScreenBox().height / static_cast<int>(list.Send(LB_GETITEMHEIGHT));
    EXPECT_EQ(list.Send(LB_GETTOPINDEX), kPatterns - visibleRows);
    EXPECT_EQ(list.RowText(kPatterns - 1), L"pattern50000.tmp");
    EXPECT_EQ(list.RowData(kPatterns - 1), kPatterns);

    list.Send(WM_VSCROLL, MAKEWPARAM(SB_TOP, 0));
    main.Settle();
    EXPECT_EQ(list.Send(LB_GETTOPINDEX), 0);
}

TEST_F(Startup, MainWindowIsAFixedCentredWindowOf409By351Pixels) {
    folder.WriteList("");
    MainWindow main = StartShown();

    Box client = main.ClientScreenBox();
    EXPECT_EQ(client.width, 409);
    EXPECT_EQ(client.height, 351);
    Box frame = main.ScreenBox();
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_LE(std::abs(frame.left - (screenWidth - frame.width) / 2), 1) << ToString(frame);
    EXPECT_LE(std::abs(frame.top - (screenHeight - frame.height) / 2), 1) << ToString(frame);

    LONG style = main.Style();
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the window can be resized";
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    // A taskbar entry: an unowned window that is no tool window.
    EXPECT_EQ(GetWindow(main.handle(), GW_OWNER), nullptr);
    EXPECT_FALSE(main.ExStyle() & WS_EX_TOOLWINDOW);
}

struct ControlFace {
    int id;
    const wchar_t* windowClass;
    const wchar_t* text;  // nullptr: not compared
    Box box;              // pixels at 96 DPI, in the client area
};

TEST_F(Startup, ControlsHaveTheirClassesCaptionsAndPlaces) {
    folder.WriteList("");
    MainWindow main = StartShown();
    const ControlFace faces[] = {
        {IDC_LBL_DIR, L"Static", L"&Starting Directory:", {8, 8, 84, 13}},
        {IDC_TXTDIR, L"Edit", nullptr, {8, 24, 337, 21}},
        {IDC_CMDBROWSE, L"Button", L"&Browse", {344, 24, 57, 21}},
        {IDC_LBL_FILES, L"Static", L"&Files to Delete", {8, 56, 67, 13}},
        {IDC_LSTDELETE, L"ListBox", nullptr, {8, 72, 393, 238}},
        {IDC_CMDADD, L"Button", L"&Add", {8, 320, 73, 25}},
        {IDC_CMDREMOVE, L"Button", L"&Remove", {88, 320, 73, 25}},
        {IDC_CMDSAVE, L"Button", L"Save &List", {168, 320, 73, 25}},
        {IDC_CMDPROCESS, L"Button", L"&Delete Files", {248, 320, 73, 25}},
        {IDC_CMDCLOSE, L"Button", L"&Close", {328, 320, 73, 25}},
        {IDC_CMDABOUT, L"Button", L"?", {392, 0, 17, 15}},
    };
    for (const ControlFace& face : faces) {
        SCOPED_TRACE("control " + std::to_string(face.id));
        Window control = main.Child(face.id);
        EXPECT_EQ(_wcsicmp(control.ClassName().c_str(), face.windowClass), 0)
            << Utf8(control.ClassName());
        if (face.text) {
            EXPECT_EQ(control.Text(), face.text);
        }
        EXPECT_EQ(control.BoxInParent(), face.box) << ToString(control.BoxInParent());
        EXPECT_TRUE(control.Visible());
        EXPECT_TRUE(control.Enabled());
    }
    EXPECT_EQ(main.cmdProcess().Style() & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

// Font handles do not cross the process boundary (WM_GETFONT answers 0 from outside), so
// the weight is told from the ink of the caption on the screen, against "?" drawn here in
// the regular and the bold face.
int InkOfQuestionMark(const Box& area, int weight) {
    Pixels drawn = Render(area.width, area.height, RGB(255, 255, 255), [&](HDC dc) {
        HFONT font = CreateFontW(-MulDiv(825, GetDeviceCaps(dc, LOGPIXELSY), 7200), 0, 0, 0, weight,
                                 FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                 L"MS Sans Serif");
        HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        RECT all{0, 0, area.width, area.height};
        DrawTextW(dc, L"?", 1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, old);
        DeleteObject(font);
    });
    return drawn.Dark();
}

TEST_F(Startup, AboutButtonCaptionIsBold) {
    folder.WriteList("");
    MainWindow main = StartShown();
    Box client = main.cmdAbout().ClientScreenBox();
    const int edge = 2;  // the button's own frame is dark too
    Box inside{client.left + edge, client.top + edge, client.width - 2 * edge, client.height - 2 * edge};
    int regular = InkOfQuestionMark(inside, FW_NORMAL), bold = InkOfQuestionMark(inside, FW_BOLD);
    ASSERT_LT(regular, bold) << "the two weights cannot be told apart on this display";
    int shown = 0;
    program->WaitUntil([&] { return (shown = CaptureScreen(inside).Dark()) > 0; }, "\"?\" to be painted");
    EXPECT_GT(shown, (regular + bold) / 2) << "ink " << shown << ", regular " << regular << ", bold " << bold;
}

TEST_F(Startup, TabVisitsTheControlsInOrderAndLabelsNever) {
    folder.WriteList("*.bak\r\n");
    MainWindow main = StartShown();
    const int order[] = {IDC_CMDBROWSE, IDC_LSTDELETE, IDC_CMDADD,   IDC_CMDREMOVE, IDC_CMDSAVE,
                         IDC_CMDPROCESS, IDC_CMDCLOSE, IDC_CMDABOUT, IDC_TXTDIR};
    for (int id : order) {
        PressKey(main, VK_TAB);
        HWND expected = main.Child(id).handle();
        program->WaitUntil([&] { return main.Focus().handle() == expected; },
                           "Tab to move the focus to control " + std::to_string(id) +
                               " (it is on " + main.Focus().Describe() + ")");
    }
    // Back in txtDir, its whole text is selected again.
    EXPECT_EQ(main.txtDir().GetSelection().start, 0);
    EXPECT_EQ(main.txtDir().GetSelection().end, static_cast<int>(main.txtDir().Text().size()));
}

TEST_F(Startup, AccessKeysOfTheLabelsMoveToTheFieldsTheyName) {
    folder.WriteList("*.bak\r\n");
    MainWindow main = StartShown();
    HWND list = main.lstDelete().handle(), dir = main.txtDir().handle();
    PressAltKey(main, L'f');
    program->WaitUntil([&] { return main.Focus().handle() == list; }, "Alt+F to reach lstDelete");
    PressAltKey(main, L's');
    program->WaitUntil([&] { return main.Focus().handle() == dir; }, "Alt+S to reach txtDir");
}

TEST_F(Startup, LettersTypedOnAFocusedButtonPressNothingWhileEnterPressesIt) {
    folder.WriteList("*.bak\r\n");
    MainWindow main = StartShown();
    HWND add = main.cmdAdd().handle();
    for (int i = 0; i < 3; ++i) PressKey(main, VK_TAB);
    program->WaitUntil([&] { return main.Focus().handle() == add; }, "the focus on cmdAdd");
    for (wchar_t letter : std::wstring(L"dclrsf")) TypeChar(main, letter);
    main.Settle();
    EXPECT_TRUE(program->Running());
    EXPECT_FALSE(program->HasMessageBox());
    EXPECT_EQ(main.Focus().handle(), add);

    PressKey(main, VK_RETURN);  // the focused button, not the default one
    WaitForPrompt(*program, L"Add File to Delete").Cancel();
    main.Settle();
    EXPECT_EQ(main.lstDelete().Rows(), (Rows{{L"*.bak", 1}}));
}

struct DirCase {
    const wchar_t* arguments;
    const wchar_t* shown;
};

// How the value is cut from the line is the command line's own test; here it
// crosses process creation and lands in the field with its spaces and quotes.
class DirSwitch : public ScourwayTest, public ::testing::WithParamInterface<DirCase> {};

TEST_P(DirSwitch, FieldShowsTheValueExactlyAsExtracted) {
    folder.WriteList("*.bak\r\n");
    MainWindow main = StartShown(GetParam().arguments);
    EXPECT_EQ(main.txtDir().Text(), GetParam().shown);
    EXPECT_FALSE(main.Iconic());
    EXPECT_EQ(main.Caption(), L"Scourway");
}

INSTANTIATE_TEST_SUITE_P(
    Values, DirSwitch,
    ::testing::Values(DirCase{L"/DIR  C:\\X", L" C:\\X"},
                      DirCase{L"/DIR \"C:\\A B\" /QUIET", L"C:\\A B"}));

class MinSwitch : public ScourwayTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(MinSwitch, WindowIsShownMinimised) {
    folder.WriteList("*.bak\r\n");
    Start(GetParam());
    MainWindow main = WaitForMainWindow(*program);
    program->WaitUntil([&] { return main.Iconic(); }, "the window to be minimised");
    EXPECT_TRUE(main.Visible());
    EXPECT_EQ(main.txtDir().Text(), DefaultStartDir());
}

INSTANTIATE_TEST_SUITE_P(Values, MinSwitch, ::testing::Values(L"/MIN", L"/min /QUIET", L"/MINIMIZED"));

TEST_F(Startup, QuietAloneStillShowsTheWindowWhenStartUpEnds) {
    folder.WriteList("*.bak\r\n");
    MainWindow main = StartShown(L"/QUIET");
    EXPECT_FALSE(main.Iconic());
    EXPECT_EQ(main.lstDelete().Rows(), (Rows{{L"*.bak", 1}}));
}

TEST_F(Startup, MissingListAnsweredNoEndsTheProgramWithoutAWindow) {
    Start();
    MessageBoxView box = ExpectMessageBox(kMissingTitle, kMissingText, {IDYES, IDNO});
    EXPECT_EQ(box.DefaultButton(), IDYES);
    EXPECT_EQ(box.Icon(), MessageIcon::Question) << ToString(box.Icon());
    EXPECT_FALSE(MainWindowVisible());
    box.Answer(IDNO);
    EXPECT_EQ(WaitForExitUnseen(), 0u);
    EXPECT_FALSE(folder.HasList());
}

TEST_F(Startup, MissingListAnsweredNoEndsAnAutoRunBeforeItSweeps) {
    folder.MakeDir(L"tree");
    folder.WriteFile(L"tree\\old.bak");
    Start(L"/AUTO /DIR " + folder.PathOf(L"tree"));
    AnswerMissingList(IDNO);
    EXPECT_EQ(WaitForExitUnseen(), 1u) << "an AUTO start that made no run failed";
    EXPECT_TRUE(folder.Exists(L"tree\\old.bak"));
    EXPECT_FALSE(folder.HasList());
    EXPECT_NE(program->Output().find("no delete run was made"), std::string::npos) << program->Output();
}

TEST_F(Startup, MissingListAnsweredYesCreatesAnEmptyFileAndAnEmptyList) {
    Start();
    AnswerMissingList(IDYES);
    MainWindow main = WaitForMainWindow(*program);
    EXPECT_EQ(main.lstDelete().Count(), 0);
    ASSERT_TRUE(folder.HasList());
    EXPECT_EQ(folder.ReadList(), "");
}

TEST_F(Startup, MissingListAnsweredYesGivesAnAutoRunTheNewEmptyList) {
    folder.MakeDir(L"tree\\sub");
    folder.WriteFile(L"tree\\old.bak");
    Start(L"/AUTO /QUIET /DIR " + folder.PathOf(L"tree"));
    AnswerMissingList(IDYES);
    EXPECT_EQ(WaitForExitUnseen(), 0u);
    EXPECT_EQ(folder.ReadList(), "");
    EXPECT_TRUE(folder.Exists(L"tree\\old.bak"));
    EXPECT_NE(program->Output().find("0 total files deleted in 2 directories."), std::string::npos)
        << program->Output();
}

// A KILL.LST that the lookup for normal files does not find.
struct UnfoundList {
    const char* name;
    std::function<void(const ProgramFolder&)> make;
};

class UnfoundListFile : public Startup, public ::testing::WithParamInterface<UnfoundList> {};

TEST_P(UnfoundListFile, CountsAsMissing) {
    GetParam().make(folder);
    Start();
    AnswerMissingList(IDNO);
    WaitForExitUnseen();
}

void ListWithAttribute(const ProgramFolder& folder, DWORD attribute) {
    folder.WriteList("*.bak\r\n");
    SetFileAttributesW(folder.ListPath().c_str(), attribute);
    DWORD now = GetFileAttributesW(folder.ListPath().c_str());
    if (now == INVALID_FILE_ATTRIBUTES || !(now & attribute))
        GTEST_SKIP() << "this file system keeps no hidden or system attribute";
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UnfoundListFile,
    ::testing::Values(
        UnfoundList{"Hidden", [](const ProgramFolder& f) { ListWithAttribute(f, FILE_ATTRIBUTE_HIDDEN); }},
        UnfoundList{"System", [](const ProgramFolder& f) { ListWithAttribute(f, FILE_ATTRIBUTE_SYSTEM); }}),
    [](const ::testing::TestParamInfo<UnfoundList>& info) { return std::string(info.param.name); });

// No file can be created where a folder stands: no question, a plain failure.
TEST_F(Startup, AFolderNamedKillLstIsSaidPlainlyAndFails) {
    folder.MakeDir(L"program\\KILL.LST");
    Start();
    MessageBoxView box = ExpectMessageBox(
        L"Scourway",
        L"KILL.LST is a folder, not a file: the pattern list can be neither read nor created.\r\n" + folder.ListPath(),
        {IDOK});
    EXPECT_EQ(box.Icon(), MessageIcon::Error) << ToString(box.Icon());
    box.Answer(IDOK);
    EXPECT_EQ(WaitForExitUnseen(), 1u);

    Start(L"/AUTO /QUIET");
    EXPECT_EQ(WaitForExitUnseen(), 1u);
    EXPECT_FALSE(program->HasMessageBox());
    EXPECT_NE(program->Output().find("KILL.LST is a folder, not a file"), std::string::npos) << program->Output();
}

// A folder's name that holds a switch's text is part of the DIR value, not a switch.
TEST_F(Startup, AFolderNamedLikeASwitchTurnsNoSwitchOn) {
    folder.WriteList("*.bak\r\n");
    folder.MakeDir(L"quietdir\\autosave");
    folder.WriteFile(L"quietdir\\autosave\\old.bak");
    std::wstring dir = folder.PathOf(L"quietdir\\autosave");
    std::replace(dir.begin(), dir.end(), L'\\', L'/');
    MainWindow main = StartShown(L"/DIR " + dir);   // not AUTO: the window waits
    EXPECT_EQ(main.txtDir().Text(), dir);
    main.cmdProcess().Click();                       // not QUIET: the run asks first
    program->WaitForMessageBox().Answer(IDNO);
    main.Settle();
    EXPECT_TRUE(folder.Exists(L"quietdir\\autosave\\old.bak"));
    EXPECT_TRUE(program->Running());
}

TEST_F(Startup, ReadOnlyListIsFoundAndLoaded) {
    folder.WriteList("*.bak\r\n");
    SetFileAttributesW(folder.ListPath().c_str(), FILE_ATTRIBUTE_READONLY);
    MainWindow main = StartShown();
    EXPECT_EQ(main.lstDelete().Rows(), (Rows{{L"*.bak", 1}}));
}

TEST_F(Startup, UnreadableListStopsWithAnErrorAndAFailureExitCode) {
    folder.WriteList("*.bak\r\n");
    HANDLE lock = CreateFileW(folder.ListPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Start();
    MessageBoxView box = program->WaitForMessageBox();
    EXPECT_EQ(box.Title(), L"Scourway");
    EXPECT_FALSE(box.Text().empty());
    EXPECT_EQ(box.Buttons(), (std::vector<int>{IDOK}));
    EXPECT_FALSE(MainWindowVisible());
    box.Answer(IDOK);
    DWORD code = WaitForExitUnseen();
    CloseHandle(lock);
    EXPECT_NE(code, 0u);
}

// The ways to end the program from its idle window; unsaved list changes are dropped.
struct Ending {
    const char* name;
    std::function<void(const MainWindow&)> end;
};

class EndingTheProgram : public ScourwayTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(EndingTheProgram, EndsAtOnceWithoutSavingTheList) {
    folder.WriteList("*.bak\r\n");
    MainWindow main = StartShown();
    main.cmdAdd().Click();
    WaitForPrompt(*program, L"Add File to Delete").Answer(L"*.new");
    ASSERT_EQ(main.lstDelete().Count(), 2);
    GetParam().end(main);
    EXPECT_EQ(program->WaitForExit(), 0u);
    EXPECT_EQ(folder.ReadList(), "*.bak\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Ways, EndingTheProgram,
    ::testing::Values(
        Ending{"CloseButton", [](const MainWindow& m) { m.cmdClose().Click(); }},
        Ending{"Esc", [](const MainWindow& m) { PressKey(m, VK_ESCAPE); }},
        Ending{"AltC", [](const MainWindow& m) { PressAltKey(m, L'c'); }},
        Ending{"CloseBox", [](const MainWindow& m) { m.Post(WM_CLOSE); }},
        Ending{"SystemMenuClose", [](const MainWindow& m) { m.Post(WM_SYSCOMMAND, SC_CLOSE); }}),
    [](const ::testing::TestParamInfo<Ending>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
