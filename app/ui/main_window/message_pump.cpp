#include "main_window/message_pump.h"

namespace {
bool IsLetterOnAButton(HWND dialog, const MSG& msg) {
    if (msg.message != WM_CHAR || !IsChild(dialog, msg.hwnd)) return false;
    return (SendMessageW(msg.hwnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0;
}
}  // namespace

void RouteMessage(HWND dialog, MSG& msg) {
    if (dialog && IsWindow(dialog) && !IsLetterOnAButton(dialog, msg) && IsDialogMessageW(dialog, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

bool PumpWaitingMessages(HWND dialog) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        RouteMessage(dialog, msg);
    }
    return true;
}
