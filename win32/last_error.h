#pragma once
#include <windows.h>

namespace win32 {

// The calling thread's last Win32 error as an HRESULT (E_FAIL when the call left none).
inline HRESULT LastErrorHr() noexcept {
    const DWORD error = ::GetLastError();
    return error == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(error);
}

}  // namespace win32
