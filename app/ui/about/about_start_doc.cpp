#include "about/frm_about.h"

#include <shellapi.h>

#include <string>
#include "about/about_parts.h"
#include "text_conversion.h"
#include "error.h"
#include "shell_execute.h"

namespace {

// An entry point of a system library, found by name. The library stays loaded
// for the life of the process, as a declared import would.
template <typename Function>
Function BindEntryPoint(const wchar_t* library, const char* name) {
    HMODULE module = ::LoadLibraryW(library);
    if (!module) win32::ThrowLastError(library);
    FARPROC entry = ::GetProcAddress(module, name);
    if (!entry) win32::ThrowLastError(library);
    return reinterpret_cast<Function>(reinterpret_cast<void*>(entry));
}

using GetDesktopWindowFunction = HWND(WINAPI*)();
using ShellExecuteAFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

}  // namespace

LONG frmAbout::StartDoc(const std::wstring& DocName, SHORT intState) {
    static const auto getDesktopWindow =
        BindEntryPoint<GetDesktopWindowFunction>(L"user32.dll", "GetDesktopWindow");
    static const auto shellExecute =
        BindEntryPoint<ShellExecuteAFunction>(L"shell32.dll", "ShellExecuteA");

    HWND desktop = getDesktopWindow();
    const std::string document = win32::ToAnsi(DocName);
    HINSTANCE result = shellExecute(desktop, "Open", document.c_str(), "", "C:\\", intState);
    return static_cast<LONG>(reinterpret_cast<INT_PTR>(result));
}

namespace about {

void OpenDocument(const std::wstring& document) {
    const LONG result = frmAbout::StartDoc(document, SW_SHOWDEFAULT);
    if (result <= 32) throw win32::Error::FromWin32(win32::ShellExecuteError(result), document);
}

}  // namespace about
