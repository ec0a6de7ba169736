#include "about_parts.h"

#include <vector>
#include "sized_text.h"
#include "win32_error.h"

namespace about {

VS_FIXEDFILEINFO OwnFileVersion() {
    const std::wstring path = modMain::WholeText(
        [](wchar_t* buffer, DWORD size) { return ::GetModuleFileNameW(nullptr, buffer, size); }, MAX_PATH);
    if (path.empty()) modMain::ThrowLastError(L"");
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) modMain::ThrowLastError(path);
    std::vector<BYTE> block(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, block.data())) modMain::ThrowLastError(path);
    void* fixed = nullptr;
    UINT fixedSize = 0;
    if (!::VerQueryValueW(block.data(), L"\\", &fixed, &fixedSize) || fixedSize < sizeof(VS_FIXEDFILEINFO))
        throw modMain::Win32Error(ERROR_RESOURCE_TYPE_NOT_FOUND, path);
    return *static_cast<const VS_FIXEDFILEINFO*>(fixed);
}

std::wstring VersionLabel(const VS_FIXEDFILEINFO& version) {
    return L"Version " + std::to_wstring(HIWORD(version.dwFileVersionMS)) + L"." +
           std::to_wstring(LOWORD(version.dwFileVersionMS)) + L"." +
           std::to_wstring(LOWORD(version.dwFileVersionLS));
}

}  // namespace about
