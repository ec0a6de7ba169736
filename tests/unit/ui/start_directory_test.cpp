// The browse behind cmdBrowse, against a stand-in control: what it writes, in
// which order, and that Selected is read only after a browse that was not cancelled.
#include <gtest/gtest.h>
#include <Tollen_h.h>
#include <vector>
#include "fake_dispatch.h"
#include "picker_host/start_directory.h"

namespace {

std::vector<DISPID> Members(const FakeDispatch& fake) {
    std::vector<DISPID> members;
    for (const RecordedCall& call : fake.calls) members.push_back(call.member);
    return members;
}

class StartDirectoryBrowse : public ::testing::Test {
protected:
    FakeDispatch fake;
    PathwickClient picker{Microsoft::WRL::ComPtr<IDispatch>(&fake)};
};

TEST_F(StartDirectoryBrowse, OffersTheFieldUnchangedAndReturnsTheChoice) {
    fake.AnswerBool(DISPID_PATHWICK_BROWSE, true);
    fake.AnswerBool(DISPID_PATHWICK_CANCELED, false);
    fake.AnswerText(DISPID_PATHWICK_SELECTED, L"C:\\users");

    auto chosen = BrowseForStartDirectory(picker, L" D:\\typed by hand");

    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, L"C:\\users");  // FixPath is the window's step
    EXPECT_EQ(Members(fake), (std::vector<DISPID>{DISPID_PATHWICK_PROMPT, DISPID_PATHWICK_INITIAL,
                                                  DISPID_PATHWICK_BROWSE, DISPID_PATHWICK_CANCELED,
                                                  DISPID_PATHWICK_SELECTED}));
    EXPECT_EQ(fake.calls[0].argumentText, L"Choose the directory to start deleting files from:");
    EXPECT_EQ(fake.calls[1].argumentText, L" D:\\typed by hand");
}

TEST_F(StartDirectoryBrowse, ACancelledBrowseGivesNothingAndLeavesSelectedUnread) {
    fake.AnswerBool(DISPID_PATHWICK_BROWSE, false);
    fake.AnswerBool(DISPID_PATHWICK_CANCELED, true);
    fake.AnswerText(DISPID_PATHWICK_SELECTED, L"C:\\earlier choice");

    EXPECT_FALSE(BrowseForStartDirectory(picker, L"C:\\"));
    EXPECT_EQ(Members(fake).back(), DISPID_PATHWICK_CANCELED);
}

TEST_F(StartDirectoryBrowse, ANullCanceledCountsAsAChoice) {
    fake.AnswerType(DISPID_PATHWICK_CANCELED, VT_NULL);
    fake.AnswerText(DISPID_PATHWICK_SELECTED, L"E:\\");
    auto chosen = BrowseForStartDirectory(picker, L"");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, L"E:\\");
}

TEST_F(StartDirectoryBrowse, AFailedBrowseStopsBeforeTheStateIsRead) {
    fake.Raise(DISPID_PATHWICK_BROWSE, E_ACCESSDENIED, L"The form has no hwnd.");
    EXPECT_THROW(BrowseForStartDirectory(picker, L"C:\\"), win32::Error);
    EXPECT_EQ(Members(fake).back(), DISPID_PATHWICK_BROWSE);
}

}  // namespace
