// Add, Remove, Edit and Save keep colFiles and lstDelete in step, rows linked to
// entries by their key; only Save writes the file.
#include <random>
#include "control_ids.h"
#include "pattern_list.h"
#include "ui_test_support.h"

namespace {

using Strings = std::vector<std::wstring>;
constexpr wchar_t kPrompt[] = L"Enter a new filename (wildcards permitted):";

class ListCommandsTest : public StatusTest {
protected:
    // A window loaded from the given list file.
    void Load(const std::string& list) {
        WriteList(list);
        Form().Form_Load();
        ASSERT_FALSE(form->Ended());
    }
    void Add(const std::wstring& answer) {
        dialogs.typed.push_back(answer);
        form->cmdAdd_Click();
    }
    void Edit(int row, const std::wstring& answer) {
        Select(row);
        dialogs.typed.push_back(answer);
        form->lstDelete_DblClick();
    }
};

TEST_F(ListCommandsTest, AddNumbersAfterTheLastKeyTrimsSpacesAndRebuildsTheList) {
    Load("*.bak\r\n>note\r\n*.tmp\r\n");
    Select(0);
    Add(L"  ~$* .doc  ");
    EXPECT_EQ(Rows(), (Strings{L"*.bak#1", L"*.tmp#2", L"~$* .doc#3"}));
    EXPECT_EQ(Entries(), Rows());
    EXPECT_EQ(Selection(), -1);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_TRUE(dialogs.calls[0].prompt);
    EXPECT_EQ(dialogs.calls[0].title, L"Add File to Delete");
    EXPECT_EQ(dialogs.calls[0].text, kPrompt);
    EXPECT_EQ(dialogs.calls[0].initial, L"");

    // The key freed by removing the last row comes back; a gap in the middle stays.
    Select(2);
    form->cmdRemove_Click();
    Add(L"*.old");
    Select(0);
    form->cmdRemove_Click();
    Add(L"*.old");
    EXPECT_EQ(Rows(), (Strings{L"*.tmp#2", L"*.old#3", L"*.old#4"}));
    EXPECT_EQ(Entries(), Rows());
    EXPECT_EQ(folder.Read(L"KILL.LST"), "*.bak\r\n>note\r\n*.tmp\r\n") << "nothing is written before Save";
}

TEST_F(ListCommandsTest, AddToAnEmptyListGivesKeyOneAndBlankAnswersChangeNothing) {
    Load("");
    Add(L"");
    Add(L"    ");
    EXPECT_TRUE(Rows().empty());
    Add(L"\t*.tmp");   // a tab is no space: it stays
    EXPECT_EQ(Rows(), (Strings{L"\t*.tmp#1"}));
    EXPECT_EQ(Entries(), Rows());
}

TEST_F(ListCommandsTest, RemoveTakesTheSelectedRowsEntryByItsKey) {
    Load("a\r\nb\r\nc\r\n");
    form->cmdRemove_Click();   // nothing selected
    EXPECT_EQ(Rows().size(), 3u);
    Select(1);
    form->cmdRemove_Click();
    EXPECT_EQ(Rows(), (Strings{L"a#1", L"c#3"}));
    EXPECT_EQ(Entries(), Rows());
    EXPECT_EQ(Selection(), -1);
    EXPECT_TRUE(dialogs.calls.empty()) << "Remove asks nothing";
}

TEST_F(ListCommandsTest, EditReplacesTheRowInPlaceWithTheSameKey) {
    Load("first\r\nsecond\r\nthird\r\n");
    Edit(0, L"  1st  ");
    EXPECT_EQ(Rows(), (Strings{L"1st#1", L"second#2", L"third#3"}));
    EXPECT_EQ(Entries(), Rows());
    EXPECT_EQ(Selection(), -1);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].title, L"Edit File");
    EXPECT_EQ(dialogs.calls[0].text, kPrompt);
    EXPECT_EQ(dialogs.calls[0].initial, L"first");

    Edit(2, L"3rd");
    EXPECT_EQ(Rows(), (Strings{L"1st#1", L"second#2", L"3rd#3"}));
    EXPECT_EQ(Entries(), Rows());
}

TEST_F(ListCommandsTest, EditChangesNothingWhenCancelledBlankOrNoRowIsSelected) {
    Load("first\r\nsecond\r\n");
    const Strings before = Rows();
    Edit(1, L"");
    Edit(1, L"   ");
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(Selection(), 1) << "a cancelled edit leaves the row selected";

    Select(-1);
    dialogs.typed.push_back(L"new");
    form->lstDelete_DblClick();
    EXPECT_EQ(dialogs.calls.back().initial, L"") << "with no row the prompt opens empty";
    EXPECT_EQ(Rows(), before);

    // The selection is read again after the prompt.
    dialogs.whileOpen = [this] { Select(-1); };
    Edit(0, L"changed");
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(Entries(), before);
}

// Any mix of commands leaves the list box an exact view of the collection.
TEST_F(ListCommandsTest, ALongMixedSequenceKeepsListAndCollectionInStep) {
    Load("*.tmp\r\n*.bak\r\n~*.*\r\n");
    std::mt19937 random(20261208);
    const std::wstring answers[] = {L"*.old", L"  spaced  ", L"", L"   ", L"*.tmp", L"dup", L"dup", L"a b"};
    for (int step = 0; step < 300; ++step) {
        const int count = static_cast<int>(Rows().size());
        const int row = count ? static_cast<int>(random() % count) : -1;
        const std::wstring& answer = answers[random() % std::size(answers)];
        switch (random() % 3) {
        case 0:
            Add(answer);
            break;
        case 1:
            Select(row);
            form->cmdRemove_Click();
            break;
        default:
            Edit(row, answer);
            break;
        }
        ASSERT_EQ(Rows(), Entries()) << "after step " << step;
        int32_t previous = 0;
        for (const modMain::cFileItem& entry : modMain::colFiles) {
            ASSERT_GT(entry.Key, previous) << "keys increase along the list";
            ASSERT_FALSE(entry.Path.empty());
            previous = entry.Key;
        }
    }
}

TEST_F(ListCommandsTest, SaveWritesTheListOnlyWhenConfirmed) {
    Load(">comment\r\n\r\n  *.tmp  \r\n*.bak");
    Add(L"*.old");
    dialogs.answers = {IDNO};
    form->cmdSave_Click();
    EXPECT_EQ(folder.Read(L"KILL.LST"), ">comment\r\n\r\n  *.tmp  \r\n*.bak");
    dialogs.answers = {IDYES};
    form->cmdSave_Click();
    EXPECT_EQ(folder.Read(L"KILL.LST"), "*.tmp\r\n*.bak\r\n*.old\r\n");
    for (const DialogCall& call : {dialogs.calls[1], dialogs.calls[2]}) {
        EXPECT_EQ(call.title, L"Confirm Save");
        EXPECT_EQ(call.text, L"Save the current list?");
        EXPECT_EQ(call.type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1));
    }
}

}  // namespace
