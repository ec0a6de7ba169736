#pragma once
// Handles every window message that is waiting, then returns.
#include <windows.h>

// Keyboard navigation goes through the dialog manager of `dialog` (tab, access
// keys, Enter, Esc). False when WM_QUIT was taken from the queue (it is posted
// again, with its code, for the outer loop).
bool PumpWaitingMessages(HWND dialog);
