// The class object of Pathwick. It counts as a live object of the library
// while referenced; LockServer holds the library loaded without one.
#pragma once

#include "module_lifetime.h"

#include <unknwn.h>

#include <atomic>

namespace tollen {

class PathwickClassFactory final : public IClassFactory, private CountedObject {
public:
    static HRESULT Create(REFIID iid, void** object);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    friend HRESULT NewObjectAs<PathwickClassFactory>(REFIID, void**);
    PathwickClassFactory() = default;
    ~PathwickClassFactory() = default;
    std::atomic<ULONG> refs_{1};
};

}  // namespace tollen
