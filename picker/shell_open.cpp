#include "shell_open.h"

#include <shellapi.h>
#include "shell_execute.h"

namespace tollen {

HRESULT OpenWithShell(HWND owner, const char* document) noexcept {
    const HINSTANCE result = ::ShellExecuteA(owner, "Open", document, "", "C:\\", SW_SHOWNORMAL);
    const DWORD error = win32::ShellExecuteError(reinterpret_cast<INT_PTR>(result));
    return error == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(error);
}

}  // namespace tollen
