// The browse routine and PickerState on their own, without the control.
#include "browse_dialog.h"
#include "dialog_watcher.h"
#include "picker_state.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <string>
#include <thread>
#include <vector>

using namespace tollen::Module1;
using picker_test::DialogWatcher;
using picker_test::WindowText;

namespace {

TEST(PickerState, OneCopyPerThreadThatAResetClears) {
    ResetPickerState();
    ThreadPickerState().Prompt = L"here";
    ThreadPickerState().Canceled = true;
    std::wstring elsewhere = L"unset";
    std::thread([&] {
        elsewhere = ThreadPickerState().Prompt;
        ThreadPickerState().Prompt = L"there";
    }).join();
    EXPECT_EQ(L"", elsewhere);
    EXPECT_EQ(L"here", ThreadPickerState().Prompt);

    ThreadPickerState().Initial = L"C:\\";
    ThreadPickerState().Selected = L"D:\\";
    ResetPickerState();
    EXPECT_EQ(L"", ThreadPickerState().Initial);
    EXPECT_EQ(L"", ThreadPickerState().Selected);
    EXPECT_EQ(L"", ThreadPickerState().Prompt);
    EXPECT_FALSE(ThreadPickerState().Canceled);
}

TEST(BrowseTexts, InitialSelectionIsTheStoredTextUnlessItIsOnlySpaces) {
    EXPECT_EQ(L" ", InitialSelectionText(L""));
    EXPECT_EQ(L" ", InitialSelectionText(L"     "));
    EXPECT_EQ(L"  C:\\windows ", InitialSelectionText(L"  C:\\windows "));  // not trimmed
    EXPECT_EQ(L"\t", InitialSelectionText(L"\t"));                          // only spaces are trimmed
}

// A stand-in for the dialog: records the selection requests sent to it and,
// from the request numbered selectingRequest on, reports a selection to the
// callback from within the request, as the shell's dialog does.
struct FakeFolderDialog {
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != BFFM_SETSELECTIONA) return ::DefWindowProcW(window, message, wParam, lParam);
        requests.push_back(reinterpret_cast<const char*>(lParam));
        lastWParam = wParam;
        if (selectingRequest != 0 && requests.size() >= selectingRequest)
            BrowseCallbackProc(window, BFFM_SELCHANGED, 0, applicationValue);
        return 0;
    }
    static HWND Create() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Proc;
        windowClass.lpszClassName = L"PathwickFakeFolderDialog";
        ::RegisterClassW(&windowClass);
        requests.clear();
        return ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr);
    }
    static inline std::vector<std::string> requests;
    static inline WPARAM lastWParam = 0;
    static inline size_t selectingRequest = 0;  // 0: never selects
    static inline LPARAM applicationValue = 0;
};

class BrowseCallback : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = FakeFolderDialog::Create();
        ASSERT_NE(nullptr, dialog);
        FakeFolderDialog::applicationValue = value;
    }
    void TearDown() override { ::DestroyWindow(dialog); }

    // The requests the callback sends when the dialog reports itself initialized.
    std::vector<std::string> RequestsOnInitialized(size_t selectingRequest) {
        FakeFolderDialog::selectingRequest = selectingRequest;
        EXPECT_EQ(0, BrowseCallbackProc(dialog, BFFM_INITIALIZED, 0, value));
        return FakeFolderDialog::requests;
    }

    HWND dialog = nullptr;
    const char path[16] = "C:\\my folder";
    InitialSelection selection{path};
    const LPARAM value = reinterpret_cast<LPARAM>(&selection);
};

TEST_F(BrowseCallback, SelectsTheInitialPathOnceWhenTheDialogIsInitializedAndSelectsIt) {
    EXPECT_EQ(0, BrowseCallbackProc(dialog, BFFM_SELCHANGED, 0, value));
    EXPECT_EQ(0, BrowseCallbackProc(dialog, BFFM_VALIDATEFAILEDA, 0, value));
    EXPECT_TRUE(FakeFolderDialog::requests.empty());

    EXPECT_EQ(std::vector<std::string>{path}, RequestsOnInitialized(1));
    EXPECT_EQ(static_cast<WPARAM>(TRUE), FakeFolderDialog::lastWParam);  // lParam is a path, not an item list
    EXPECT_EQ(&BrowseCallbackProc, CallbackAddress(&BrowseCallbackProc));
}

// The selection reported before (the dialog's default one) does not count.
TEST_F(BrowseCallback, AsksOnceMoreWhenTheFirstRequestSelectsNothing) {
    EXPECT_EQ(0, BrowseCallbackProc(dialog, BFFM_SELCHANGED, 0, value));
    const std::vector<std::string> twice{path, path};
    EXPECT_EQ(twice, RequestsOnInitialized(2));
    EXPECT_EQ(static_cast<WPARAM>(TRUE), FakeFolderDialog::lastWParam);

    FakeFolderDialog::requests.clear();
    EXPECT_EQ(twice, RequestsOnInitialized(0));  // never more than twice
}

TEST(BrowseForDirectory, AnEmptyPromptShowsOnlySpacesAndCancelKeepsSelected) {
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
    ResetPickerState();
    ThreadPickerState().Selected = L"C:\\earlier";
    bool titleOfSpaces = false;
    DialogWatcher watcher(::GetCurrentThreadId(), IDCANCEL, [&](HWND dialog) {
        for (HWND child : picker_test::ChildWindows(dialog))
            titleOfSpaces = titleOfSpaces || WindowText(child) == std::wstring(255, L' ');
    });
    EXPECT_FALSE(BrowseForDirectory(nullptr));
    EXPECT_TRUE(watcher.Finish());
    EXPECT_TRUE(titleOfSpaces);
    EXPECT_TRUE(ThreadPickerState().Canceled);
    EXPECT_EQ(L"C:\\earlier", ThreadPickerState().Selected);
    ::CoUninitialize();
}

}  // namespace
