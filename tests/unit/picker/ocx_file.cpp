#include "ocx_file.h"

#include <algorithm>

namespace picker_test {

std::wstring OcxPath() {
    std::wstring path = TOLLEN_OCX_PATH;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return L"Z:" + path;
}

LoadedOcx::LoadedOcx() : module_(::LoadLibraryW(OcxPath().c_str())) {}
LoadedOcx::~LoadedOcx() {
    if (module_) ::FreeLibrary(module_);
}

}  // namespace picker_test
