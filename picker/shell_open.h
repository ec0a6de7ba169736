// Documents and web addresses handed to the shell to open.
#pragma once

#include <windows.h>

namespace tollen {

// Asks the shell to open the document (ANSI, as the About box's address is)
// with the owner window for any interface the shell shows.
HRESULT OpenWithShell(HWND owner, const char* document) noexcept;

}  // namespace tollen
