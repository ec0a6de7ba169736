#pragma once
// One IUnknown for the COM objects of the program and of the control library.
// A class lists the interfaces it answers for in a table of {IID, offset}
// entries kept beside it, as the platform's QITAB (searched by QISearch; the
// first entry answers for IUnknown); the reference count lives here once; and an
// object is made one way, owned by exactly one reference.
#include <windows.h>
#include <shlwapi.h>
#include <wrl/client.h>
#include <atomic>
#include <utility>

namespace win32 {

// Derived declares `static const QITAB kInterfaces[]`, ending in {}.
template <class Derived, class... Interfaces>
class ComObject : public Interfaces... {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        return ::QISearch(static_cast<Derived*>(this), Derived::kInterfaces, iid, object);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

private:
    std::atomic<ULONG> references_{1};
};

// A new object owned by one ComPtr. (mingw-w64's ComPtr::Attach adds a
// reference, unlike the SDK's: Attach(new T) would leak the object.)
template <class T, class... Arguments>
Microsoft::WRL::ComPtr<T> Make(Arguments&&... arguments) {
    Microsoft::WRL::ComPtr<T> object;
    *object.ReleaseAndGetAddressOf() = new T(std::forward<Arguments>(arguments)...);
    return object;
}

// A new object handed out as the interface asked for; when it has none, the
// object goes again.
template <class T, class... Arguments>
HRESULT MakeAs(REFIID iid, void** result, Arguments&&... arguments) {
    if (!result) return E_POINTER;
    *result = nullptr;
    return Make<T>(std::forward<Arguments>(arguments)...)->QueryInterface(iid, result);
}

}  // namespace win32
