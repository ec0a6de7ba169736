// txtDir selects its whole text whenever the focus arrives, so typing replaces it.
#include <windows.h>
#include <commctrl.h>
#include "control_ids.h"
#include "frm_status.h"
#include "win32_error.h"

void frmStatus::txtDir_GotFocus() {
    HWND field = Control(IDC_TXTDIR);
    SendMessageW(field, EM_SETSEL, 0, GetWindowTextLengthW(field));
}

void frmStatus::AttachDirField() {
    if (!SetWindowSubclass(Control(IDC_TXTDIR), DirFieldProc, 0, reinterpret_cast<DWORD_PTR>(this)))
        modMain::ThrowLastError(L"txtDir");
}

// A click that brings the focus places the caret after EN_SETFOCUS has selected
// the text. When that click made no selection of its own (no drag), the whole
// text is selected again once the button is released.
LRESULT CALLBACK frmStatus::DirFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data) {
    auto* self = reinterpret_cast<frmStatus*>(data);
    switch (message) {
    case WM_LBUTTONDOWN:
        self->dirClickFocus_ = GetFocus() != field;
        break;
    case WM_LBUTTONUP: {
        const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
        if (self->dirClickFocus_) {
            self->dirClickFocus_ = false;
            DWORD start = 0, end = 0;
            SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            if (start == end) self->txtDir_GotFocus();
        }
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(field, DirFieldProc, 0);
        break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}
