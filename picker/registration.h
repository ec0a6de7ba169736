// Self-registration: the type library with its interfaces, and the class
// Pathwick under its CLSID and ProgID, written from one table of keys.
#pragma once

#include <windows.h>

namespace tollen {

// Where a registration goes. Machine: HKEY_CLASSES_ROOT and RegisterTypeLib, for
// every user (administrator rights). User: the current user's Software\Classes
// and RegisterTypeLibForUser, for that user's programs only (no rights needed).
// The keys are the same table either way; each bitness of the library writes
// through its own view of the registry.
enum class Scope { Machine, User };

HRESULT RegisterServer(Scope scope) noexcept;
// Removes what RegisterServer wrote in that scope; succeeds when it is already gone.
HRESULT UnregisterServer(Scope scope) noexcept;

}  // namespace tollen
