#pragma once
// The click half of an edit field that selects its whole text whenever the focus
// arrives (EN_SETFOCUS does the rest): a click that brings the focus places the
// caret after the text was selected, so when that click made no selection of its
// own (no drag), the whole text is selected again once the button is released.
#include <windows.h>

class ClickFocusSelectsAll {
public:
    // Subclasses the field; throws win32::Error when that fails.
    explicit ClickFocusSelectsAll(HWND field);
    ~ClickFocusSelectsAll();
    ClickFocusSelectsAll(const ClickFocusSelectsAll&) = delete;
    ClickFocusSelectsAll& operator=(const ClickFocusSelectsAll&) = delete;

private:
    static LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);

    HWND field_;
    bool clickBringsFocus_ = false;
};
