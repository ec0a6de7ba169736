#pragma once
// The platform's own words for a failure.
#include <windows.h>
#include <string>

namespace win32 {

// FormatMessage's text for a Win32 error code or an HRESULT, without the line end
// it comes with. Codes the system has no text for (many COM ones) are described
// by the code itself: "Error 5." or, for an HRESULT, "Error 0x80004005.".
std::wstring SystemMessage(DWORD code);

}  // namespace win32
