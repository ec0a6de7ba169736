#pragma once
// A file's version block (VERSIONINFO): its fixed numbers and its strings.
#include <windows.h>

#include <string>
#include <vector>

namespace win32 {

class VersionBlock {
public:
    // S_OK and the file's block, or the failing call's HRESULT
    // (HRESULT_FROM_WIN32(ERROR_RESOURCE_TYPE_NOT_FOUND) for a file without one).
    static HRESULT Read(const std::wstring& path, VersionBlock& block);

    const VS_FIXEDFILEINFO& Fixed() const noexcept { return fixed_; }
    // A string of the US English, Unicode table ("040904B0"); empty when absent.
    std::wstring String(const wchar_t* name) const;

private:
    std::vector<BYTE> data_;
    VS_FIXEDFILEINFO fixed_{};
};

// "major.minor.revision": the first, second and fourth fields of the file version
// (the third, the build, is not shown).
std::wstring VersionText(const VS_FIXEDFILEINFO& version);

}  // namespace win32
