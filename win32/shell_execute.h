#pragma once
// What a ShellExecute result means: above 32 it succeeded; at 32 or below it is
// one of the shell's own codes, or a Win32 error code.
#include <windows.h>

namespace win32 {

// The Win32 error code for a failing result (the shell's own codes named by
// their platform counterparts); ERROR_SUCCESS for a result above 32.
DWORD ShellExecuteError(INT_PTR result) noexcept;

}  // namespace win32
