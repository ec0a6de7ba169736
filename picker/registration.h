// Self-registration: the type library with its interfaces, and the class
// Pathwick under its CLSID and ProgID, written from one table of keys.
#pragma once

#include <windows.h>

namespace tollen {

HRESULT RegisterServer() noexcept;
// Removes what RegisterServer wrote; succeeds when it is already gone.
HRESULT UnregisterServer() noexcept;

}  // namespace tollen
