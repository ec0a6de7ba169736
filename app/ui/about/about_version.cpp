#include "about/about_parts.h"

#include "error.h"
#include "sized_text.h"
#include "version_block.h"

namespace about {

VS_FIXEDFILEINFO OwnFileVersion() {
    const std::wstring path = win32::ModulePath(nullptr);
    if (path.empty()) win32::ThrowLastError();
    win32::VersionBlock block;
    if (const HRESULT hr = win32::VersionBlock::Read(path, block); FAILED(hr)) throw win32::Error(hr, path);
    return block.Fixed();
}

std::wstring VersionLabel(const VS_FIXEDFILEINFO& version) { return L"Version " + win32::VersionText(version); }

}  // namespace about
