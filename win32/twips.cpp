#include "twips.h"

#include "device_context.h"

namespace win32 {

Dpi ScreenDpi() {
    Dpi dpi;
    if (const ScreenDC screen; screen) {
        dpi.x = GetDeviceCaps(screen.get(), LOGPIXELSX);
        dpi.y = GetDeviceCaps(screen.get(), LOGPIXELSY);
    }
    return dpi;
}

RECT TwipsToPixels(int left, int top, int width, int height, Dpi dpi) {
    return RECT{TwipsToPixels(left, dpi.x), TwipsToPixels(top, dpi.y), TwipsToPixels(left + width, dpi.x),
                TwipsToPixels(top + height, dpi.y)};
}

}  // namespace win32
