#pragma once
// Layouts are written in twips (1/1440 inch) and placed in pixels at the
// screen's real DPI: 15 twips a pixel at 96 dots per inch. OLE sizes are in
// HIMETRIC (1/100 mm).
#include <windows.h>

namespace win32 {

constexpr int kTwipsPerInch = 1440;

struct Dpi {
    int x = 96;
    int y = 96;
};

// The screen's logical DPI, as the display reports it.
Dpi ScreenDpi();

struct TwipsRect {
    int left, top, width, height;   // from the client area's top-left corner
};

inline int TwipsToPixels(long twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }

// A twips rectangle in pixels. Edges are converted one by one, so controls that
// end on the same twips line end on the same pixel too.
RECT TwipsToPixels(TwipsRect place, Dpi dpi);

// Sizes a window so that its client area is width x height twips at the DPI
// (the frame is added for the window's own styles); it keeps its place.
void SetClientSizeInTwips(HWND window, int width, int height, Dpi dpi);

// Twips in HIMETRIC units, rounded to the nearest: 2540 of them an inch.
constexpr long TwipsToHimetric(long twips) { return (twips * 2540 + kTwipsPerInch / 2) / kTwipsPerInch; }

// A font height in points (hundredths) as a LOGFONT height at the given DPI.
inline LONG FontHeight(int hundredthsOfPoint, int dpiY) { return -MulDiv(hundredthsOfPoint, dpiY, 7200); }

}  // namespace win32
