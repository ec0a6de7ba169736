#include "about_parts.h"

#include <vector>
#include "win32_error.h"

namespace about {

namespace {

// The path of this executable, however long.
std::wstring OwnPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) modMain::ThrowLastError(L"");
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

VS_FIXEDFILEINFO OwnFileVersion() {
    const std::wstring path = OwnPath();
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
