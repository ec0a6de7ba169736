// The browse routine and PickerState on their own, without the control.
#include "browse_dialog.h"
#include "dialog_watcher.h"
#include "picker_state.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <thread>

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

TEST(BrowseTexts, TitleIsThePromptFollowedBy255Spaces) {
    EXPECT_EQ(std::wstring(255, L' '), BrowseTitle(L""));
    EXPECT_EQ(L"Pick" + std::wstring(255, L' '), BrowseTitle(L"Pick"));
}

TEST(BrowseTexts, InitialSelectionIsTheStoredTextUnlessItIsOnlySpaces) {
    EXPECT_EQ(L" ", InitialSelectionText(L""));
    EXPECT_EQ(L" ", InitialSelectionText(L"     "));
    EXPECT_EQ(L"  C:\\windows ", InitialSelectionText(L"  C:\\windows "));  // not trimmed
    EXPECT_EQ(L"\t", InitialSelectionText(L"\t"));                          // only spaces are trimmed
}

// A window that records the selection messages sent to it.
struct SelectionRecorder {
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == BFFM_SETSELECTIONA) {
            ++calls;
            lastWParam = wParam;
            lastText = reinterpret_cast<const char*>(lParam);
            return 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    static inline int calls = 0;
    static inline WPARAM lastWParam = 0;
    static inline std::string lastText;
};

TEST(BrowseCallback, SelectsTheInitialTextOnlyWhenTheDialogIsInitialized) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &SelectionRecorder::Proc;
    windowClass.lpszClassName = L"PathwickSelectionRecorder";
    ::RegisterClassW(&windowClass);
    HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                    nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    const char path[] = "C:\\windows";
    const LPARAM text = reinterpret_cast<LPARAM>(path);

    EXPECT_EQ(0, BrowseCallbackProc(window, BFFM_SELCHANGED, 0, text));
    EXPECT_EQ(0, BrowseCallbackProc(window, BFFM_VALIDATEFAILEDA, 0, text));
    EXPECT_EQ(0, SelectionRecorder::calls);

    EXPECT_EQ(0, BrowseCallbackProc(window, BFFM_INITIALIZED, 0, text));
    EXPECT_EQ(1, SelectionRecorder::calls);
    EXPECT_EQ(static_cast<WPARAM>(TRUE), SelectionRecorder::lastWParam);  // lParam is a path, not an item list
    EXPECT_EQ(path, SelectionRecorder::lastText);
    EXPECT_EQ(&BrowseCallbackProc, CallbackAddress(&BrowseCallbackProc));
    ::DestroyWindow(window);
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
