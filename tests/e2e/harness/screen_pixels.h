#pragma once
// Pixels, for what cannot be read from another process any other way (a message box's
// symbol, a control's font): what the screen shows, and what this process draws itself.
#include <windows.h>

#include <functional>
#include <vector>

#include "window.h"

namespace e2e {

struct Pixels {
    int width = 0, height = 0;
    std::vector<COLORREF> colours;  // row by row
    COLORREF at(int x, int y) const { return colours[static_cast<size_t>(y * width + x)]; }
    bool operator==(const Pixels& o) const {
        return width == o.width && height == o.height && colours == o.colours;
    }
    // Pixels darker than mid-grey.
    int Dark() const;
};

// What the screen shows in this rectangle (screen coordinates).
Pixels CaptureScreen(const Box& area);

// A width x height picture filled with `background`, then painted by `paint`.
Pixels Render(int width, int height, COLORREF background, const std::function<void(HDC)>& paint);

}  // namespace e2e
