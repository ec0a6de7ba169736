#pragma once
// The hourglass over all of the program's windows while a delete run works.
// Every window of the program answers WM_SETCURSOR through BusyPointer::OnSetCursor.
#include <windows.h>

class BusyPointer {
public:
    BusyPointer();    // the hourglass, now and on every WM_SETCURSOR
    ~BusyPointer();   // back to the default pointer
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

    static bool Active() noexcept;
    // For a window procedure's WM_SETCURSOR: true when it has set the hourglass
    // (the message is then handled and the answer is TRUE).
    static bool OnSetCursor();
};
