#pragma once
// Where a window first appears.
#include <windows.h>

namespace win32 {

// Places a window's frame centred over another window's frame (over the screen
// when there is none, or when it is hidden or minimised), kept inside the work
// area of that monitor.
void CentreWindowOn(HWND window, HWND over);

}  // namespace win32
