#include "screen_pixels.h"

namespace e2e {

namespace {

// Draws into a 32-bit memory bitmap and reads it back.
Pixels Capture(int width, int height, const std::function<void(HDC)>& draw) {
    Pixels out;
    out.width = width;
    out.height = height;
    if (width <= 0 || height <= 0) return out;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    draw(memory);
    GdiFlush();
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    out.colours.reserve(static_cast<size_t>(width * height));
    for (int i = 0; i < width * height; ++i)
        out.colours.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return out;
}

}  // namespace

int Pixels::Dark() const {
    int dark = 0;
    for (COLORREF c : colours)
        if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128) ++dark;
    return dark;
}

Pixels CaptureScreen(const Box& area) {
    return Capture(area.width, area.height, [&](HDC memory) {
        HDC screen = GetDC(nullptr);
        BitBlt(memory, 0, 0, area.width, area.height, screen, area.left, area.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    });
}

Pixels Render(int width, int height, COLORREF background, const std::function<void(HDC)>& paint) {
    return Capture(width, height, [&](HDC memory) {
        HBRUSH brush = CreateSolidBrush(background);
        RECT all{0, 0, width, height};
        FillRect(memory, &all, brush);
        DeleteObject(brush);
        paint(memory);
    });
}

}  // namespace e2e
