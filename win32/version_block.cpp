#include "version_block.h"
#include "last_error.h"

namespace win32 {

HRESULT VersionBlock::Read(const std::wstring& path, VersionBlock& block) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return LastErrorHr();
    std::vector<BYTE> data(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return LastErrorHr();
    void* fixed = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(data.data(), L"\\", &fixed, &length) || length < sizeof(VS_FIXEDFILEINFO))
        return HRESULT_FROM_WIN32(ERROR_RESOURCE_TYPE_NOT_FOUND);
    block.fixed_ = *static_cast<const VS_FIXEDFILEINFO*>(fixed);
    block.data_ = std::move(data);
    return S_OK;
}

std::wstring VersionBlock::String(const wchar_t* name) const {
    if (data_.empty()) return {};
    void* text = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!::VerQueryValueW(data_.data(), query.c_str(), &text, &length) || !text || length == 0) return {};
    return std::wstring(static_cast<const wchar_t*>(text), length - 1);  // length counts the NUL
}

std::wstring VersionText(const VS_FIXEDFILEINFO& version) {
    return std::to_wstring(HIWORD(version.dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(version.dwFileVersionMS)) +
           L"." + std::to_wstring(LOWORD(version.dwFileVersionLS));
}

}  // namespace win32
