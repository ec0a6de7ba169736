#pragma once
// Layouts are written in twips (1/1440 inch) and placed in pixels at the
// screen's real DPI: 15 twips a pixel at 96 dots per inch.
#include <windows.h>

struct Dpi {
    int x = 96;
    int y = 96;
};

// The screen's logical DPI, as the display reports it.
Dpi ScreenDpi();

inline int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

// A twips rectangle in pixels. Edges are converted one by one, so controls that
// end on the same twips line end on the same pixel too.
RECT TwipsToPixels(int left, int top, int width, int height, Dpi dpi);

// A font height in points (hundredths) as a LOGFONT height at the given DPI.
inline LONG FontHeight(int hundredthsOfPoint, int dpiY) { return -MulDiv(hundredthsOfPoint, dpiY, 7200); }
