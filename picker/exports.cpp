// The four entry points of Tollen.ocx, exported by ordinal through Tollen.def.
#include "class_factory.h"
#include "module_lifetime.h"
#include "registration.h"
#include "type_library.h"

#include <Tollen_h.h>
#include <objbase.h>

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

STDAPI DllRegisterServer() { return tollen::RegisterServer(); }

STDAPI DllUnregisterServer() { return tollen::UnregisterServer(); }
