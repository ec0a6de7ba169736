// The class object of Pathwick. It counts as a live object of the library
// while referenced; LockServer holds the library loaded without one.
#pragma once

#include "module_lifetime.h"

#include <unknwn.h>

#include "com_object.h"

namespace tollen {

class PathwickClassFactory final : public win32::ComObject<PathwickClassFactory, IClassFactory>,
                                   private CountedObject {
public:
    static const QITAB kInterfaces[];
    static HRESULT Create(REFIID iid, void** object);

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;
};

}  // namespace tollen
