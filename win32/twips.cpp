#include "twips.h"

#include "device_context.h"

namespace win32 {

Dpi ScreenDpi() {
    Dpi dpi;
    if (const WindowDC screen = DcOf(nullptr)) {
        dpi.x = GetDeviceCaps(screen.get().handle, LOGPIXELSX);
        dpi.y = GetDeviceCaps(screen.get().handle, LOGPIXELSY);
    }
    return dpi;
}

RECT TwipsToPixels(TwipsRect place, Dpi dpi) {
    return RECT{TwipsToPixels(place.left, dpi.x), TwipsToPixels(place.top, dpi.y),
                TwipsToPixels(place.left + place.width, dpi.x), TwipsToPixels(place.top + place.height, dpi.y)};
}

void SetClientSizeInTwips(HWND window, int width, int height, Dpi dpi) {
    RECT frame = TwipsToPixels(TwipsRect{0, 0, width, height}, dpi);
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE)));
    ::SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace win32
