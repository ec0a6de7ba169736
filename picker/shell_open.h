// Documents and web addresses handed to the shell to open.
#pragma once

#include <windows.h>

namespace tollen {

// S_OK for a result of ShellExecute above 32; otherwise the HRESULT of the
// Win32 error it stands for (the shell's own codes named by their counterparts).
HRESULT ShellExecuteResult(INT_PTR result) noexcept;

// Asks the shell to open the document (ANSI, as the About box's address is)
// with the owner window for any interface the shell shows.
HRESULT OpenWithShell(HWND owner, const char* document) noexcept;

}  // namespace tollen
