// Where the Tollen.ocx under test is, and access to it as a loaded module.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace picker_test {

// The platform the library under test is built for, as its type library, its
// registration and its file header must say it. The tests are built for the same one.
#ifdef _WIN64
constexpr SYSKIND kBuiltSysKind = SYS_WIN64;
constexpr wchar_t kTypeLibPlatformKey[] = L"win64";
constexpr WORD kBuiltMachine = IMAGE_FILE_MACHINE_AMD64;
#else
constexpr SYSKIND kBuiltSysKind = SYS_WIN32;
constexpr wchar_t kTypeLibPlatformKey[] = L"win32";
constexpr WORD kBuiltMachine = IMAGE_FILE_MACHINE_I386;
#endif

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
