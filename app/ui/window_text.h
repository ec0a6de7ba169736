#pragma once
// Window text in and out as std::wstring.
#include <windows.h>
#include <string>

std::wstring WindowText(HWND window);
inline std::wstring DialogItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }
