// The text prompt as the user meets it: owned by and centred on its window,
// title, prompt line, pre-filled selected field; OK gives the text, Cancel and
// the close box give "".
#include "control_ids.h"
#include "main_window/text_prompt.h"
#include "window_text.h"
#include "ui_test_support.h"

namespace {

// Plays the user: once the prompt has set itself up, looks at it and acts.
class PromptUser {
public:
    explicit PromptUser(std::function<void(HWND)> act) : act_(std::move(act)) {
        current_ = this;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROCRET, &PromptUser::OnReturn, nullptr, GetCurrentThreadId());
    }
    ~PromptUser() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    bool acted = false;

private:
    static LRESULT CALLBACK OnReturn(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && message->message == WM_INITDIALOG && current_ && !current_->acted) {
            current_->acted = true;
            current_->act_(message->hwnd);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline PromptUser* current_ = nullptr;
    HHOOK hook_;
    std::function<void(HWND)> act_;
};

class TextPromptTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExW(0, L"Static", L"owner", WS_POPUP | WS_VISIBLE | WS_CAPTION, 100, 120, 500, 400,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }
    HWND owner_ = nullptr;
};

TEST_F(TextPromptTest, OkReturnsTheFieldAsTypedAndTheDialogIsDressedAsAsked) {
    std::wstring title, label, shown;
    DWORD start = 9, end = 0;
    HWND ownerSeen = nullptr;
    POINT centre{}, ownerCentre{};
    PromptUser user([&](HWND dialog) {
        title = win32::WindowText(dialog);
        label = win32::DialogItemText(dialog, IDC_PROMPT_LABEL);
        shown = win32::DialogItemText(dialog, IDC_PROMPT_EDIT);
        SendDlgItemMessageW(dialog, IDC_PROMPT_EDIT, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                            reinterpret_cast<LPARAM>(&end));
        ownerSeen = GetWindow(dialog, GW_OWNER);
        RECT mine{}, theirs{};
        GetWindowRect(dialog, &mine);
        GetWindowRect(owner_, &theirs);
        centre = {(mine.left + mine.right) / 2, (mine.top + mine.bottom) / 2};
        ownerCentre = {(theirs.left + theirs.right) / 2, (theirs.top + theirs.bottom) / 2};
        SetDlgItemTextW(dialog, IDC_PROMPT_EDIT, L"  *.old  ");
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    const std::wstring answer = ShowTextPrompt(owner_, L"Edit File", L"Enter a name:", L"*.tmp");
    ASSERT_TRUE(user.acted);
    EXPECT_EQ(answer, L"  *.old  ") << "trimming is the caller's business";
    EXPECT_EQ(title, L"Edit File");
    EXPECT_EQ(label, L"Enter a name:");
    EXPECT_EQ(shown, L"*.tmp");
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
    EXPECT_EQ(ownerSeen, owner_);
    EXPECT_LE(std::abs(centre.x - ownerCentre.x), 1);
    EXPECT_LE(std::abs(centre.y - ownerCentre.y), 1);
}

TEST_F(TextPromptTest, CancelAndTheCloseBoxReturnNothing) {
    for (UINT message : {static_cast<UINT>(WM_COMMAND), static_cast<UINT>(WM_CLOSE)}) {
        PromptUser user([message](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_PROMPT_EDIT, L"typed");
            PostMessageW(dialog, message, message == WM_COMMAND ? IDCANCEL : 0, 0);
        });
        EXPECT_EQ(ShowTextPrompt(owner_, L"Add File to Delete", L"Enter:", L""), L"");
        EXPECT_TRUE(user.acted);
    }
}

}  // namespace
