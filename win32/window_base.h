#pragma once
// The one bridge from a window procedure to the object behind the window.
//
// A window's class T derives from BaseWindow<T> and defines
// HandleMessage(message, wParam, lParam), which decodes a message and calls the
// named handler. T's window uses WindowProc when it is a window of a registered
// class (created with the object as CreateWindowEx's last argument), DialogProc
// when the dialog manager runs it (the object as the dialog's init parameter).
// The object is attached when the window is created and detached when it is
// gone (WM_NCDESTROY): from then on hwnd_ is null and no message reaches it.
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

    // A window class's procedure. Messages before WM_NCCREATE (WM_GETMINMAXINFO)
    // and WM_NCDESTROY itself get the default handling.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            Attach(window, GWLP_USERDATA, static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        T* self = Attached(window, GWLP_USERDATA);
        if (self && message != WM_NCDESTROY) return self->HandleMessage(message, wParam, lParam);
        if (self) Detach(window, GWLP_USERDATA, self);
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    // A dialog procedure: HandleMessage answers as one does (TRUE for handled, a
    // result in DWLP_MSGRESULT). The object rides in DWLP_USER, the slot the
    // dialog manager keeps for its owner.
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) Attach(window, DWLP_USER, reinterpret_cast<T*>(lParam));
        T* self = Attached(window, DWLP_USER);
        if (self && message != WM_NCDESTROY) return self->HandleMessage(message, wParam, lParam);
        if (self) Detach(window, DWLP_USER, self);
        return FALSE;
    }

    HWND hwnd_ = nullptr;

private:
    static void Attach(HWND window, int slot, T* self) noexcept {
        ::SetWindowLongPtrW(window, slot, reinterpret_cast<LONG_PTR>(self));
        static_cast<BaseWindow*>(self)->hwnd_ = window;
    }
    static T* Attached(HWND window, int slot) noexcept {
        return reinterpret_cast<T*>(::GetWindowLongPtrW(window, slot));
    }
    static void Detach(HWND window, int slot, T* self) noexcept {
        ::SetWindowLongPtrW(window, slot, 0);
        static_cast<BaseWindow*>(self)->hwnd_ = nullptr;
    }
};

}  // namespace win32
