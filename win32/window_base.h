#pragma once
// The one bridge from a window procedure to the object behind the window.
//
// The windows are run by the dialog manager (tab order, access keys, default
// button, Esc, modal loops). A window's class T derives from BaseWindow<T>,
// passes DialogProc and itself (the init parameter) to CreateDialogParam or
// DialogBoxParam, and defines HandleMessage(message, wParam, lParam), which
// decodes a message and calls the named handler. The object is attached at
// WM_INITDIALOG and detached when the window is gone (WM_NCDESTROY): from then
// on hwnd_ is null and no message reaches it.
#include <windows.h>

namespace win32 {

template <class T>
class BaseWindow {
public:
    HWND Window() const noexcept { return hwnd_; }

protected:
    BaseWindow() = default;
    ~BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    // The dialog procedure: HandleMessage answers as one does (TRUE for handled,
    // a result in DWLP_MSGRESULT). The object rides in DWLP_USER, the slot the
    // dialog manager keeps for the window's owner.
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            ::SetWindowLongPtrW(window, DWLP_USER, lParam);
            reinterpret_cast<T*>(lParam)->BaseWindow::hwnd_ = window;
        }
        T* self = reinterpret_cast<T*>(::GetWindowLongPtrW(window, DWLP_USER));
        if (!self) return FALSE;
        if (message != WM_NCDESTROY) return self->HandleMessage(message, wParam, lParam);
        ::SetWindowLongPtrW(window, DWLP_USER, 0);
        self->BaseWindow::hwnd_ = nullptr;
        return FALSE;
    }

    HWND hwnd_ = nullptr;
};

}  // namespace win32
