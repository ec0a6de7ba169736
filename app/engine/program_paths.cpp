#include "program_paths.h"

#include <windows.h>
#include "sized_text.h"

namespace modMain {

std::wstring GetWindowsDir() {
    return win32::WholeText([](wchar_t* buffer, DWORD size) { return ::GetWindowsDirectoryW(buffer, size); }, 255);
}

std::wstring AddSlash(const std::wstring& path) {
    if (!path.empty() && path.back() == L'\\') return path;
    return path + L'\\';
}

std::wstring ProgramDirectory() { return ParentDirectory(win32::ModulePath(nullptr)); }

std::wstring ParentDirectory(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return {};
    // A drive root keeps its separator: C:\prog.exe lies in C:\.
    if (slash == 0 || path[slash - 1] == L':') return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

}  // namespace modMain
