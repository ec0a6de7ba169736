#pragma once
// The one way the main window's handlers talk to the user: message boxes and the
// text prompt. The window passes the real ones; tests pass scripted answers.
#include <windows.h>
#include <string>

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A modal message box (MB_* type flags); the button pressed (IDYES, IDNO, IDOK...).
    virtual int Ask(const std::wstring& text, const std::wstring& title, UINT type) = 0;
    // The modal text prompt; the typed text, "" when cancelled.
    virtual std::wstring Prompt(const std::wstring& title, const std::wstring& prompt,
                                const std::wstring& initial) = 0;
};

// Message boxes and the text prompt, owned by a window.
class WindowDialogs final : public UserDialogs {
public:
    explicit WindowDialogs(HWND owner) : owner_(owner) {}
    int Ask(const std::wstring& text, const std::wstring& title, UINT type) override;
    std::wstring Prompt(const std::wstring& title, const std::wstring& prompt,
                        const std::wstring& initial) override;

private:
    HWND owner_;
};
