#pragma once
// Window text in and out as std::wstring.
#include <windows.h>
#include <string>

namespace win32 {

std::wstring WindowText(HWND window);
inline std::wstring DialogItemText(HWND dialog, int id) { return WindowText(::GetDlgItem(dialog, id)); }

}  // namespace win32
