#include "shell_execute.h"

#include <shellapi.h>

namespace win32 {

DWORD ShellExecuteError(INT_PTR result) noexcept {
    if (result > 32) return ERROR_SUCCESS;
    switch (result) {
    case 0: return ERROR_OUTOFMEMORY;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC: return ERROR_NO_ASSOCIATION;
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY: return ERROR_DDE_FAIL;
    case SE_ERR_SHARE: return ERROR_SHARING_VIOLATION;
    case SE_ERR_DLLNOTFOUND: return ERROR_DLL_NOT_FOUND;
    default: return static_cast<DWORD>(result);   // file and path not found, access denied, bad format...
    }
}

}  // namespace win32
