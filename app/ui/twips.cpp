#include "twips.h"

Dpi ScreenDpi() {
    Dpi dpi;
    if (HDC screen = GetDC(nullptr)) {
        dpi.x = GetDeviceCaps(screen, LOGPIXELSX);
        dpi.y = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    return dpi;
}

RECT TwipsToPixels(int left, int top, int width, int height, Dpi dpi) {
    return RECT{TwipsToPixels(left, dpi.x), TwipsToPixels(top, dpi.y),
                TwipsToPixels(left + width, dpi.x), TwipsToPixels(top + height, dpi.y)};
}
