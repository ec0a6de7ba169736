#include "shell_open.h"

#include <shellapi.h>

namespace tollen {

HRESULT ShellExecuteResult(INT_PTR result) noexcept {
    if (result > 32) return S_OK;
    switch (result) {
    case 0: return E_OUTOFMEMORY;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC: return HRESULT_FROM_WIN32(ERROR_NO_ASSOCIATION);
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY: return HRESULT_FROM_WIN32(ERROR_DDE_FAIL);
    case SE_ERR_SHARE: return HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION);
    case SE_ERR_DLLNOTFOUND: return HRESULT_FROM_WIN32(ERROR_DLL_NOT_FOUND);
    default: return HRESULT_FROM_WIN32(static_cast<DWORD>(result));   // not found, access denied, bad format
    }
}

HRESULT OpenWithShell(HWND owner, const char* document) noexcept {
    const HINSTANCE result = ::ShellExecuteA(owner, "Open", document, "", "C:\\", SW_SHOWNORMAL);
    return ShellExecuteResult(reinterpret_cast<INT_PTR>(result));
}

}  // namespace tollen
