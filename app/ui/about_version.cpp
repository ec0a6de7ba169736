#include "about_parts.h"

#include "com_error.h"
#include "sized_text.h"
#include "version_block.h"
#include "win32_error.h"

namespace about {

VS_FIXEDFILEINFO OwnFileVersion() {
    const std::wstring path = modMain::WholeText(
        [](wchar_t* buffer, DWORD size) { return ::GetModuleFileNameW(nullptr, buffer, size); }, MAX_PATH);
    if (path.empty()) modMain::ThrowLastError(L"");
    win32::VersionBlock block;
    if (const HRESULT hr = win32::VersionBlock::Read(path, block); FAILED(hr)) {
        if (HRESULT_FACILITY(hr) == FACILITY_WIN32) throw modMain::Win32Error(HRESULT_CODE(hr), path);
        throw ComError(hr);
    }
    return block.Fixed();
}

std::wstring VersionLabel(const VS_FIXEDFILEINFO& version) { return L"Version " + win32::VersionText(version); }

}  // namespace about
