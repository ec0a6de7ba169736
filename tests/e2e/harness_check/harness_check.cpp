// The harness checked against its own fixture window: what it reads from another process
// and what it makes happen there must be what the fixture really shows and does.
#include <gtest/gtest.h>

#include "fixture_ids.h"
#include "harness_error.h"
#include "keyboard.h"
#include "program_process.h"

using namespace e2e;

namespace {

class HarnessCheck : public ::testing::Test {
protected:
    ProgramFolder folder{WindowsPathOf(FIXTURE_EXE_HOST_PATH)};

    Window Start(ProgramProcess& program) {
        return program.WaitForWindow(
            [](const Window& w) { return w.ClassName() == L"E2eFixture" && w.Visible(); },
            "the fixture window");
    }
};

TEST_F(HarnessCheck, PassesTheCommandLineExactlyAndCapturesStandardOutput) {
    ProgramProcess program(folder, L"/A  \"b c\"  ");
    Start(program);
    EXPECT_EQ(program.Output(), Utf8(program.CommandLine()) + "\n");
    EXPECT_EQ(program.CommandLine(), L"\"" + folder.ExePath() + L"\" /A  \"b c\"  ");
}

TEST_F(HarnessCheck, ReadsWindowAndControls) {
    ProgramProcess program(folder, L"");
    Window main = Start(program);
    EXPECT_EQ(main.Caption(), L"Fixture");
    EXPECT_EQ(main.Text(), L"Fixture");
    EXPECT_EQ(main.ClientScreenBox().width, 300);
    EXPECT_EQ(main.ClientScreenBox().height, 200);
    EXPECT_FALSE(main.Iconic());

    Edit edit(main.Child(kFixtureEdit));
    EXPECT_EQ(edit.ClassName(), L"Edit");
    EXPECT_EQ(edit.Text(), L"abc");
    EXPECT_EQ(edit.BoxInParent(), (Box{8, 24, 200, 21}));
    program.WaitUntil([&] { return main.Child(kFixtureEdit).handle() == FocusOf(main.ThreadId()).handle(); },
                      "the focus in the edit");
    EXPECT_EQ(edit.GetSelection().start, 0);
    EXPECT_EQ(edit.GetSelection().end, 3);

    ListBox list(main.Child(kFixtureList));
    EXPECT_EQ(list.ClassName(), L"ListBox");
    std::vector<ListBox::Row> expected{{L"one", 10}, {L"two", 20}, {L"three", 30}};
    EXPECT_EQ(list.Rows(), expected) << ToString(list.Rows());
    EXPECT_EQ(list.Selected(), -1);

    edit.SetText(L"typed");
    EXPECT_EQ(edit.Text(), L"typed");
}

TEST_F(HarnessCheck, EnterPressesTheDefaultButtonAndTheQuestionIsAnswered) {
    ProgramProcess program(folder, L"");
    Window main = Start(program);
    PressKey(main, VK_RETURN);
    MessageBoxView box = program.WaitForMessageBox();
    EXPECT_EQ(box.Title(), L"Fixture question");
    EXPECT_EQ(box.Text(), L"Proceed?");
    EXPECT_EQ(box.Buttons(), (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(box.DefaultButton(), IDYES);
    EXPECT_EQ(box.Icon(), MessageIcon::Question) << ToString(box.Icon());
    box.Answer(IDNO);
    program.WaitUntil([&] { return main.Caption() == L"Fixture - no"; }, "the answer No");
}

TEST_F(HarnessCheck, ClickedButtonShowsAnInformationBox) {
    ProgramProcess program(folder, L"");
    Window main = Start(program);
    main.Child(kFixtureTell).Click();
    MessageBoxView box = program.WaitForMessageBox();
    EXPECT_EQ(box.Text(), L"Done.");
    EXPECT_EQ(box.Buttons(), (std::vector<int>{IDOK}));
    EXPECT_EQ(box.Icon(), MessageIcon::Information) << ToString(box.Icon());
    box.Answer(IDOK);
    program.WaitUntil([&] { return main.Caption() == L"Fixture - told"; }, "the box closed");
}

TEST_F(HarnessCheck, AccessKeysOfLabelsMoveTheFocus) {
    ProgramProcess program(folder, L"");
    Window main = Start(program);
    HWND list = main.Child(kFixtureList).handle();
    HWND edit = main.Child(kFixtureEdit).handle();
    program.WaitUntil([&] { return FocusOf(main.ThreadId()).handle() == edit; }, "focus in the edit");
    PressAltKey(main, L'R');
    program.WaitUntil([&] { return FocusOf(main.ThreadId()).handle() == list; }, "Alt+R to reach the list");
    PressAltKey(main, L'n');
    program.WaitUntil([&] { return FocusOf(main.ThreadId()).handle() == edit; }, "Alt+N to reach the edit");
}

TEST_F(HarnessCheck, DoubleClickOnARowSelectsItAndNotifies) {
    ProgramProcess program(folder, L"");
    Window main = Start(program);
    ListBox(main.Child(kFixtureList)).DoubleClickRow(2);
    program.WaitUntil([&] { return main.Caption() == L"Fixture - double-click 2"; },
                      "the double-click on row 2");
}

TEST_F(HarnessCheck, EscEndsTheFixtureAndTheExitCodeIsSeen) {
    ProgramProcess program(folder, L"");
    Window main = Start(program);
    PressKey(main, VK_ESCAPE);
    EXPECT_EQ(program.WaitForExit(), 3u);
}

TEST_F(HarnessCheck, WaitingForAWindowOfAnEndedProgramFailsAtOnceWithItsExitCode) {
    ProgramProcess program(folder, L"");
    Window main = Start(program);
    PressKey(main, VK_ESCAPE);
    try {
        program.WaitForDialog(L"never there", 60000);
        FAIL() << "the wait did not fail";
    } catch (const HarnessError& e) {
        EXPECT_NE(std::string(e.what()).find("exit code 3"), std::string::npos) << e.what();
    }
}

TEST_F(HarnessCheck, TeardownKillsARunningProgramAndRemovesItsFolder) {
    std::wstring root;
    DWORD id = 0;
    {
        ProgramFolder own{WindowsPathOf(FIXTURE_EXE_HOST_PATH)};
        root = own.Root();
        ProgramProcess program(own, L"");
        id = program.Id();
        Start(program);
    }
    EXPECT_TRUE(TopLevelWindows(id).empty());
    EXPECT_EQ(GetFileAttributesW(root.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
