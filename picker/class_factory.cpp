#include "class_factory.h"

#include "com_boundary.h"
#include "pathwick_control.h"

namespace tollen {

HRESULT PathwickClassFactory::Create(REFIID iid, void** object) {
    return Guarded(IID_IClassFactory, [&] { return NewObjectAs<PathwickClassFactory>(iid, object); });
}

HRESULT PathwickClassFactory::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG PathwickClassFactory::AddRef() { return ++refs_; }

ULONG PathwickClassFactory::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
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
