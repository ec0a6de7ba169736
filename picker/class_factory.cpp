#include "class_factory.h"

#include "com_boundary.h"
#include "pathwick_control.h"

namespace tollen {

const QITAB PathwickClassFactory::kInterfaces[] = {QITABENT(PathwickClassFactory, IClassFactory), {}};

HRESULT PathwickClassFactory::Create(REFIID iid, void** object) {
    return Guarded(IID_IClassFactory, [&] { return win32::MakeAs<PathwickClassFactory>(iid, object); });
}

HRESULT PathwickClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return PathwickControl::Create(iid, object);
}

HRESULT PathwickClassFactory::LockServer(BOOL lock) {
    LockModule(lock != FALSE);
    return S_OK;
}

}  // namespace tollen
