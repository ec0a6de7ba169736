#pragma once
// The main window's message handling, shared by the program's message loop and
// by the sweep's yields.
#include <windows.h>

// Hands one message to the dialog manager of `dialog` (tab, access keys with Alt,
// Enter, Esc) or else dispatches it. A letter typed while a button has the focus
// is not taken as an access key: keys are pressed with Alt, and a stray "d"
// must not start a delete run.
void RouteMessage(HWND dialog, MSG& msg);

// Handles every window message that is waiting, then returns. False when WM_QUIT
// was taken from the queue (it is posted again, with its code, for the outer loop).
bool PumpWaitingMessages(HWND dialog);
