#pragma once
// A window class of its own for a window the dialog manager runs: a dialog
// template names it (CLASS "..."), and the window gets the dialog manager's tab
// order, access keys, default button and Esc under a class name of its own.
#include <windows.h>

namespace win32 {

// Registers the class once per process (a second call finds it); the icons may
// be null. Throws win32::Error naming the class.
void RegisterDialogClass(HINSTANCE instance, const wchar_t* name, HICON icon = nullptr, HICON smallIcon = nullptr);

}  // namespace win32
