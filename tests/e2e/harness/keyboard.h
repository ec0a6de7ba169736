#pragma once
// Keys pressed by the user, as the posted key messages that reach the control with the
// focus on the window's thread. The target's message loop then treats them as typed keys
// (IsDialogMessage turns Enter, Esc, Tab and Alt+letter into the window's commands).
#include <windows.h>

#include "window.h"

namespace e2e {

// Enter, Esc, Tab...: WM_KEYDOWN and WM_KEYUP to the focused control of `window`'s thread.
void PressKey(const Window& window, UINT virtualKey);

// A character typed without Alt: the WM_CHAR a translated key press gives.
void TypeChar(const Window& window, wchar_t character);

// Alt+letter (an access key): WM_SYSKEYDOWN and WM_SYSCHAR with the Alt context bit.
void PressAltKey(const Window& window, wchar_t letter);

}  // namespace e2e
