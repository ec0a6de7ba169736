#include "version_resource.h"

#include "com_error.h"
#include "module_lifetime.h"

#include <windows.h>

#include <vector>

namespace tollen {

LibraryVersion ReadLibraryVersion() {
    const std::wstring path = ThisModulePath();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) ThrowLastError();
    std::vector<BYTE> block(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, block.data())) ThrowLastError();

    LibraryVersion version;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || length < sizeof *fixed)
        ThrowHr(HRESULT_FROM_WIN32(ERROR_RESOURCE_TYPE_NOT_FOUND));
    version.major = HIWORD(fixed->dwFileVersionMS);
    version.minor = LOWORD(fixed->dwFileVersionMS);
    version.revision = HIWORD(fixed->dwFileVersionLS);

    wchar_t* copyright = nullptr;
    if (::VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\LegalCopyright",
                         reinterpret_cast<void**>(&copyright), &length) &&
        copyright && length > 0)
        version.legalCopyright.assign(copyright, length - 1);  // length counts the NUL
    return version;
}

std::wstring VersionText(const LibraryVersion& version) {
    return std::to_wstring(version.major) + L"." + std::to_wstring(version.minor) + L"." +
           std::to_wstring(version.revision);
}

}  // namespace tollen
