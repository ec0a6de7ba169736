#pragma once
// Device contexts owned as handles are: a DC from GetDC goes back to the window
// it came from, and an object selected into a DC gives its place back to the one
// it replaced. Each closes two values, so the owned value is the pair.
#include <windows.h>

#include "handle_owners.h"

namespace win32 {

struct WindowDcValue {
    HWND window;
    HDC dc;
    friend bool operator!=(WindowDcValue a, WindowDcValue b) noexcept { return a.dc != b.dc; }
};
struct ReleasedToItsWindow {
    using Type = WindowDcValue;
    static Type Invalid() noexcept { return {nullptr, nullptr}; }
    static void Close(Type value) noexcept { ::ReleaseDC(value.window, value.dc); }
};
using WindowDC = UniqueHandle<ReleasedToItsWindow>;

// The DC of a window, or of the whole screen for nullptr; empty when GetDC failed.
inline WindowDC DcOf(HWND window) noexcept { return WindowDC({window, ::GetDC(window)}); }

struct SelectionValue {
    HDC dc;
    HGDIOBJ previous;
    friend bool operator!=(SelectionValue a, SelectionValue b) noexcept { return a.previous != b.previous; }
};
struct PreviousSelectedAgain {
    using Type = SelectionValue;
    static Type Invalid() noexcept { return {nullptr, nullptr}; }
    static void Close(Type value) noexcept { ::SelectObject(value.dc, value.previous); }
};
using Selection = UniqueHandle<PreviousSelectedAgain>;

inline Selection Select(HDC dc, HGDIOBJ object) noexcept { return Selection({dc, ::SelectObject(dc, object)}); }

}  // namespace win32
