#include "main_window/focus_selects_all.h"

#include <commctrl.h>

#include "error.h"

FocusSelectsAll::FocusSelectsAll(HWND field) : field_(field) {
    if (!SetWindowSubclass(field_, FieldProc, 0, reinterpret_cast<DWORD_PTR>(this))) win32::ThrowLastError();
}

// A field destroyed first has already removed the subclass (WM_NCDESTROY).
FocusSelectsAll::~FocusSelectsAll() { RemoveWindowSubclass(field_, FieldProc, 0); }

void FocusSelectsAll::SelectAll() const { SendMessageW(field_, EM_SETSEL, 0, GetWindowTextLengthW(field_)); }

void FocusSelectsAll::OnButtonUp() {
    if (!clickBringsFocus_) return;
    clickBringsFocus_ = false;
    DWORD start = 0, end = 0;
    SendMessageW(field_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end) SelectAll();
}

LRESULT CALLBACK FocusSelectsAll::FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR data) {
    auto* self = reinterpret_cast<FocusSelectsAll*>(data);
    switch (message) {
    case WM_LBUTTONDOWN:
        self->clickBringsFocus_ = GetFocus() != field;
        break;
    case WM_LBUTTONUP: {
        const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
        self->OnButtonUp();
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(field, FieldProc, 0);
        break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}
