// The entry points of Tollen.ocx, exported by ordinal through Tollen.def.
#include "class_factory.h"
#include "module_lifetime.h"
#include "picker_state.h"
#include "registration.h"
#include "type_library.h"

#include <Tollen_h.h>
#include <objbase.h>

// Frees the per-thread PickerState copies as threads end and when the library
// is unloaded; at process exit nothing needs freeing.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID processExit) {
    if (reason == DLL_THREAD_DETACH) tollen::Module1::ReleaseThreadPickerState();
    if (reason == DLL_PROCESS_DETACH && !processExit) tollen::Module1::ReleaseAllPickerStates();
    return TRUE;
}

STDAPI DllCanUnloadNow() {
    if (tollen::ModuleInUse()) return S_FALSE;
    tollen::ReleaseTypeLibrary();
    return S_OK;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (clsid != CLSID_Pathwick) return CLASS_E_CLASSNOTAVAILABLE;
    return tollen::PathwickClassFactory::Create(iid, object);
}

STDAPI DllRegisterServer() { return tollen::RegisterServer(tollen::Scope::Machine); }

STDAPI DllUnregisterServer() { return tollen::UnregisterServer(tollen::Scope::Machine); }

// "regsvr32 /n /i:user" and "regsvr32 /u /n /i:user": the same registration for
// the current user alone, which needs no administrator rights. Nothing else is
// installed this way, so any other command line is refused.
STDAPI DllInstall(BOOL install, PCWSTR commandLine) {
    if (!commandLine || ::lstrcmpiW(commandLine, L"user") != 0) return E_INVALIDARG;
    return install ? tollen::RegisterServer(tollen::Scope::User) : tollen::UnregisterServer(tollen::Scope::User);
}
