// Where the Tollen.ocx under test is, and access to it as a loaded module.
#pragma once

#include <windows.h>

#include <string>

namespace picker_test {

// The built file, given by the build as TOLLEN_OCX_PATH.
std::wstring OcxPath();

class LoadedOcx {
public:
    LoadedOcx();
    ~LoadedOcx();
    HMODULE module() const { return module_; }
    template <class Function>
    Function* Export(const char* name) const {
        return reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(module_, name)));
    }

private:
    HMODULE module_;
};

}  // namespace picker_test
