// The list editing commands seen from outside: Add, Remove, Edit (a double-click on a
// row) and Save, with the rows' keys as item data and KILL.LST byte for byte.
#include <windows.h>

#include <functional>

#include "scourway_test.h"

namespace e2e {
namespace {

using Rows = std::vector<ListBox::Row>;

const std::wstring kPromptLine = L"Enter a new filename (wildcards permitted):";

class ListEditing : public ScourwayTest {
protected:
    void Add(const MainWindow& main, const std::wstring& typed) {
        main.cmdAdd().Click();
        WaitForPrompt(*program, L"Add File to Delete").Answer(typed);
        main.Settle();
    }
    void RemoveRow(const MainWindow& main, int row) {
        main.lstDelete().Select(row);
        main.cmdRemove().Click();
        main.Settle();
    }
    TextPrompt OpenEdit(const MainWindow& main, int row) {
        main.lstDelete().DoubleClickRow(row);
        return WaitForPrompt(*program, L"Edit File");
    }
    void EditRow(const MainWindow& main, int row, const std::wstring& typed) {
        OpenEdit(main, row).Answer(typed);
        main.Settle();
    }
    MessageBoxView AskToSave(const MainWindow& main) {
        main.cmdSave().Click();
        return ExpectMessageBox(L"Confirm Save", L"Save the current list?", {IDYES, IDNO});
    }
    void Save(const MainWindow& main) {
        AskToSave(main).Answer(IDYES);
        main.Settle();
    }
    void ExpectRows(const MainWindow& main, const Rows& expected) {
        Rows rows = main.lstDelete().Rows();
        EXPECT_EQ(rows, expected) << ToString(rows);
    }
};

TEST_F(ListEditing, AddPromptAsksForAPatternAndCancelOrBlankAnswersChangeNothing) {
    folder.WriteList("*.bak\r\n");
    MainWindow main = StartShown();
    PressAltKey(main, L'a');
    TextPrompt prompt = WaitForPrompt(*program, L"Add File to Delete");
    EXPECT_EQ(prompt.label().Text(), kPromptLine);
    EXPECT_EQ(prompt.field().Text(), L"");
    EXPECT_EQ(prompt.ok().Text(), L"OK");
    EXPECT_EQ(prompt.cancel().Text(), L"Cancel");
    HWND field = prompt.field().handle();
    program->WaitUntil([&] { return FocusOf(prompt.ThreadId()).handle() == field; },
                       "the focus in the prompt's field");
    prompt.field().SetText(L"*.typed");
    prompt.Cancel();
    main.Settle();
    ExpectRows(main, {{L"*.bak", 1}});

    for (const wchar_t* blank : {L"", L"     "}) {
        Add(main, blank);
        ExpectRows(main, {{L"*.bak", 1}});
    }
}

TEST_F(ListEditing, PromptTakesEnterAsOkAndEscAsCancel) {
    folder.WriteList("");
    MainWindow main = StartShown();
    main.cmdAdd().Click();
    TextPrompt prompt = WaitForPrompt(*program, L"Add File to Delete");
    prompt.field().SetText(L"*.esc");
    PressKey(prompt, VK_ESCAPE);
    program->WaitUntil([&] { return !prompt.Open(); }, "Esc to close the prompt");
    main.Settle();
    ExpectRows(main, {});

    main.cmdAdd().Click();
    TextPrompt again = WaitForPrompt(*program, L"Add File to Delete");
    again.field().SetText(L"*.enter");
    PressKey(again, VK_RETURN);
    program->WaitUntil([&] { return !again.Open(); }, "Enter to close the prompt");
    main.Settle();
    ExpectRows(main, {{L"*.enter", 1}});
}

TEST_F(ListEditing, AddToAnEmptyListGivesKeyOneAndTrimsOnlyTheOuterSpaces) {
    folder.WriteList("");
    MainWindow main = StartShown();
    Add(main, L"  *.old file  ");
    ExpectRows(main, {{L"*.old file", 1}});
    Add(main, L"*.old file");
    ExpectRows(main, {{L"*.old file", 1}, {L"*.old file", 2}});
    EXPECT_EQ(main.lstDelete().Selected(), -1);
}

TEST_F(ListEditing, KeysGoOnFromTheLastEntryAndAFreedLastKeyIsReused) {
    folder.WriteList(">comment\r\none\r\n\r\ntwo\r\nthree\r\n");
    MainWindow main = StartShown();
    Add(main, L"four");
    ExpectRows(main, {{L"one", 1}, {L"two", 2}, {L"three", 3}, {L"four", 4}});

    RemoveRow(main, 3);
    ExpectRows(main, {{L"one", 1}, {L"two", 2}, {L"three", 3}});
    Add(main, L"again");
    ExpectRows(main, {{L"one", 1}, {L"two", 2}, {L"three", 3}, {L"again", 4}});

    RemoveRow(main, 1);  // from the middle: a gap in the keys
    ExpectRows(main, {{L"one", 1}, {L"three", 3}, {L"again", 4}});
    EXPECT_EQ(main.lstDelete().Selected(), -1);
    Add(main, L"five");
    ExpectRows(main, {{L"one", 1}, {L"three", 3}, {L"again", 4}, {L"five", 5}});
}

TEST_F(ListEditing, RemoveWithoutASelectedRowDoesNothing) {
    folder.WriteList("one\r\ntwo\r\n");
    MainWindow main = StartShown();
    main.cmdRemove().Click();
    main.Settle();
    ExpectRows(main, {{L"one", 1}, {L"two", 2}});
}

TEST_F(ListEditing, EditingTheFirstRowKeepsItFirstWithItsKey) {
    folder.WriteList("alpha.*\r\nbeta\r\ngamma\r\n");
    MainWindow main = StartShown();
    TextPrompt prompt = OpenEdit(main, 0);
    EXPECT_EQ(prompt.label().Text(), kPromptLine);
    EXPECT_EQ(prompt.field().Text(), L"alpha.*");
    EXPECT_EQ(prompt.field().GetSelection().start, 0);
    EXPECT_EQ(prompt.field().GetSelection().end, 7);
    prompt.Answer(L"  new name.*  ");
    main.Settle();
    ExpectRows(main, {{L"new name.*", 1}, {L"beta", 2}, {L"gamma", 3}});
    EXPECT_EQ(main.lstDelete().Selected(), -1);

    Save(main);
    EXPECT_EQ(folder.ReadList(), "new name.*\r\nbeta\r\ngamma\r\n");
}

struct DroppedEdit {
    const char* name;
    std::function<void(const TextPrompt&)> answer;
};

class DroppedEditing : public ListEditing, public ::testing::WithParamInterface<DroppedEdit> {};

TEST_P(DroppedEditing, LeavesRowAndEntryUntouched) {
    folder.WriteList("one\r\ntwo\r\nthree\r\n");
    MainWindow main = StartShown();
    GetParam().answer(OpenEdit(main, 1));
    main.Settle();
    ExpectRows(main, {{L"one", 1}, {L"two", 2}, {L"three", 3}});
    Save(main);
    EXPECT_EQ(folder.ReadList(), "one\r\ntwo\r\nthree\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DroppedEditing,
    ::testing::Values(
        DroppedEdit{"Cancel", [](const TextPrompt& p) { p.field().SetText(L"other"); p.Cancel(); }},
        DroppedEdit{"ClearedField", [](const TextPrompt& p) { p.Answer(L""); }},
        DroppedEdit{"SpacesOnly", [](const TextPrompt& p) { p.Answer(L"   "); }}),
    [](const ::testing::TestParamInfo<DroppedEdit>& info) { return std::string(info.param.name); });

TEST_F(ListEditing, DoubleClickBelowTheRowsAsksWithAnEmptyFieldAndChangesNothing) {
    folder.WriteList("one\r\ntwo\r\n");
    MainWindow main = StartShown();
    main.lstDelete().DoubleClickBelowRows();
    TextPrompt prompt = WaitForPrompt(*program, L"Edit File");
    EXPECT_EQ(prompt.field().Text(), L"");
    prompt.Answer(L"typed");
    main.Settle();
    ExpectRows(main, {{L"one", 1}, {L"two", 2}});
}

TEST_F(ListEditing, SaveAsksAndNoLeavesTheFileWhileYesRewritesItWithoutComments) {
    const std::string original = "> my junk\r\n\r\n  *.bak  \r\n*.tmp\n*.old\r\n   \r\n~*.*";
    folder.WriteList(original);
    MainWindow main = StartShown();
    ExpectRows(main, {{L"*.bak", 1}, {L"*.tmp", 2}, {L"*.old", 3}, {L"~*.*", 4}});   // a lone LF ends a line

    MessageBoxView question = AskToSave(main);
    EXPECT_EQ(question.DefaultButton(), IDYES);
    EXPECT_EQ(question.Icon(), MessageIcon::Question) << ToString(question.Icon());
    question.Answer(IDNO);
    main.Settle();
    EXPECT_FALSE(program->HasMessageBox());
    EXPECT_EQ(folder.ReadList(), original);

    Save(main);
    EXPECT_EQ(folder.ReadList(), "*.bak\r\n*.tmp\r\n*.old\r\n~*.*\r\n");
    EXPECT_FALSE(program->HasMessageBox());
}

TEST_F(ListEditing, SaveWritesTheAnsiCodePageAndEditsRowsOutOfView) {
    std::string bytes;
    for (int i = 1; i <= 30; ++i) bytes += "file" + std::to_string(i) + ".tmp\r\n";
    folder.WriteList("caf\xE9.txt\r\n" + bytes);
    MainWindow main = StartShown();
    EditRow(main, 30, L"na\u00EFve \u00A9.txt");  // the last row, below the visible ones
    EXPECT_EQ(main.lstDelete().Rows()[30], (ListBox::Row{L"na\u00EFve \u00A9.txt", 31}));
    Save(main);
    std::string expected = "caf\xE9.txt\r\n" + bytes;
    expected.replace(expected.find("file30.tmp"), 10, Ansi(L"na\u00EFve \u00A9.txt"));
    EXPECT_EQ(folder.ReadList(), expected);
}

// The ways a save can fail are the list file's own tests; here the real window
// reports one and keeps both the file and the rows.
TEST_F(ListEditing, AFailedSaveKeepsThePreviousFileAndTheRowsAndReportsTheError) {
    const std::string original = ">keep me\r\none\r\n";
    folder.WriteList(original);
    MainWindow main = StartShown();
    Add(main, L"two");
    SetFileAttributesW(folder.ListPath().c_str(), FILE_ATTRIBUTE_READONLY);

    AskToSave(main).Answer(IDYES);
    MessageBoxView error = program->WaitForMessageBox();
    EXPECT_EQ(error.Title(), L"Scourway");
    EXPECT_EQ(error.Icon(), MessageIcon::Error) << ToString(error.Icon());
    EXPECT_NE(error.Text().find(folder.ListPath()), std::wstring::npos) << Utf8(error.Text());
    EXPECT_EQ(error.Buttons(), (std::vector<int>{IDOK}));
    error.Answer(IDOK);
    main.Settle();
    SetFileAttributesW(folder.ListPath().c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_EQ(folder.ReadList(), original);
    ExpectRows(main, {{L"one", 1}, {L"two", 2}});
    EXPECT_TRUE(program->Running());

    // Nothing is left behind, and once the file is free again a save goes through.
    EXPECT_EQ(folder.FilesBelow(L"program"), (std::vector<std::wstring>{L"KILL.LST", L"Scourway.exe"}));
    Save(main);
    EXPECT_EQ(folder.ReadList(), "one\r\ntwo\r\n");
}

TEST_F(ListEditing, AMixedSequenceKeepsRowsEntriesAndFileInStep) {
    folder.WriteList("> start\r\n*.bak\r\n*.tmp\r\n~*.*\r\nThumbs.db\r\n");
    MainWindow main = StartShown();
    Add(main, L"*.old");            // K5
    RemoveRow(main, 1);             // *.tmp, K2
    EditRow(main, 0, L" *.BAK ");   // K1 in place
    Add(main, L"desktop.ini");      // K6
    RemoveRow(main, 4);             // desktop.ini: its key is free again
    Add(main, L"*.$$$");            // K6 once more
    EditRow(main, 4, L"*.chk");     // the last row, K6
    RemoveRow(main, 0);             // *.BAK, K1
    PressAltKey(main, L'a');
    WaitForPrompt(*program, L"Add File to Delete").Answer(L"  my  notes.txt ");  // K7
    main.Settle();
    const Rows expected{{L"~*.*", 3}, {L"Thumbs.db", 4}, {L"*.old", 5}, {L"*.chk", 6},
                        {L"my  notes.txt", 7}};
    ExpectRows(main, expected);

    PressAltKey(main, L'l');
    ExpectMessageBox(L"Confirm Save", L"Save the current list?", {IDYES, IDNO}).Answer(IDYES);
    main.Settle();
    EXPECT_EQ(folder.ReadList(), "~*.*\r\nThumbs.db\r\n*.old\r\n*.chk\r\nmy  notes.txt\r\n");

    // Loaded again, the same entries come back in the same order, numbered afresh.
    MainWindow again = StartShown();
    ExpectRows(again, {{L"~*.*", 1}, {L"Thumbs.db", 2}, {L"*.old", 3}, {L"*.chk", 4},
                       {L"my  notes.txt", 5}});
}

}  // namespace
}  // namespace e2e
