#pragma once
// An edit field that selects its whole text whenever the focus arrives, so that
// typing replaces it. The form calls SelectAll when the focus arrives
// (EN_SETFOCUS); the object covers the click that brings the focus, which places
// the caret after that selection: when the click made no selection of its own
// (no drag), the whole text is selected again once the button is released.
#include <windows.h>

class FocusSelectsAll {
public:
    // Subclasses the field; throws win32::Error when that fails.
    explicit FocusSelectsAll(HWND field);
    ~FocusSelectsAll();
    FocusSelectsAll(const FocusSelectsAll&) = delete;
    FocusSelectsAll& operator=(const FocusSelectsAll&) = delete;

    void SelectAll() const;

private:
    static LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    void OnButtonUp();

    HWND field_;
    bool clickBringsFocus_ = false;
};
