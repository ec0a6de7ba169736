#pragma once
// Device contexts owned as handles are: a DC from GetDC goes back to the window
// it came from, and an object selected into a DC gives its place back to the one
// it replaced.
#include <windows.h>

#include "handle_owners.h"

namespace win32 {

using WindowDC = UniqueHandle<ClosedWith<HWND, HDC, &::ReleaseDC>>;
using Selection = UniqueHandle<ClosedWith<HDC, HGDIOBJ, &::SelectObject>>;

// The DC of a window, or of the whole screen for nullptr; empty when GetDC failed.
inline WindowDC DcOf(HWND window) noexcept { return WindowDC({window, ::GetDC(window)}); }

// Selects the object into the DC; the owner puts the previous one back.
inline Selection Select(HDC dc, HGDIOBJ object) noexcept { return Selection({dc, ::SelectObject(dc, object)}); }

}  // namespace win32
