// A container for Pathwick as hosts give one: a client site whose extended
// control has a "Parent" (the form, with "hwnd"), or a site without extender
// whose container is the form. Late-bound names are matched case-insensitively.
#pragma once

#include <Tollen_h.h>
#include <ocidl.h>
#include <windows.h>
#include <wrl/client.h>

#include <atomic>
#include <map>
#include <string>
#include <utility>

namespace picker_test {

using Microsoft::WRL::ComPtr;

// Reference counting and QueryInterface over the listed interfaces.
template <class... Interfaces>
class TestObject : public Interfaces... {
public:
    virtual ~TestObject() = default;
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown) *out = static_cast<IUnknown*>(static_cast<First*>(this));
        ((iid == __uuidof(Interfaces) && !*out ? (*out = static_cast<Interfaces*>(this)) : nullptr), ...);
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

private:
    template <class Head, class...>
    struct FirstOf {
        using type = Head;
    };
    using First = typename FirstOf<Interfaces...>::type;
    std::atomic<ULONG> refs_{1};
};

// Takes ownership of a new object's first reference. (mingw-w64's
// ComPtr::Attach adds a reference of its own, so it would leak.)
template <class T, class... Arguments>
ComPtr<T> Make(Arguments&&... arguments) {
    ComPtr<T> object;
    *object.GetAddressOf() = new T(std::forward<Arguments>(arguments)...);
    return object;
}

// An IDispatch with named read-only properties; unknown names fail with
// DISP_E_UNKNOWNNAME. Counts the Invoke calls it gets.
class NamedProperties : public TestObject<IDispatch, IOleContainer> {
public:
    void Set(const std::wstring& name, VARIANT value);  // takes ownership of value
    int invokeCount = 0;
    WORD lastFlags = 0;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result, EXCEPINFO*,
                        UINT*) override;
    // IOleContainer, for the site without extender
    STDMETHODIMP ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP EnumObjects(DWORD, IEnumUnknown**) override { return E_NOTIMPL; }
    STDMETHODIMP LockContainer(BOOL) override { return S_OK; }
    ~NamedProperties() override;

private:
    std::map<std::wstring, VARIANT> values_;  // keys in upper case
};

// Exposes "hwnd" as a Long (VT_I4), as forms do, or as a 64-bit host's LongPtr (VT_I8).
ComPtr<NamedProperties> MakeForm(HWND window, VARTYPE hwndType = VT_I4);
ComPtr<NamedProperties> MakeFormWithoutHwnd();           // exposes only "Caption"

// The client site. With an extender, GetExtendedControl gives an object whose
// "Parent" is the form; without, it fails and GetContainer gives the form.
class TestSite : public TestObject<IOleClientSite, IOleControlSite> {
public:
    TestSite(ComPtr<NamedProperties> form, bool withExtender);
    ComPtr<NamedProperties> form;
    ComPtr<NamedProperties> extender;

    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch** control) override;
    STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }
};

// Creates Pathwick by ProgID as a host does: site first, then an empty
// property bag load and the stored extent.
ComPtr<IDispatch> CreateHostedPathwick(IOleClientSite* site);
ComPtr<IDispatch> CreatePathwick();  // no site: as a script host's CreateObject

// Calls by DISPID.
HRESULT Put(IDispatch* control, DISPID id, VARIANT value, EXCEPINFO* exception = nullptr);
HRESULT PutText(IDispatch* control, DISPID id, const wchar_t* text);
HRESULT Get(IDispatch* control, DISPID id, VARIANT* result, EXCEPINFO* exception = nullptr);
std::wstring GetText(IDispatch* control, DISPID id);  // asserts VT_BSTR
bool GetBool(IDispatch* control, DISPID id);          // asserts VT_BOOL
HRESULT CallMethod(IDispatch* control, DISPID id, VARIANT* result, EXCEPINFO* exception = nullptr);
DISPID IdOfName(IDispatch* control, const wchar_t* name);

// Initialises OLE on the calling thread for its lifetime.
struct OleThread {
    OleThread();
    ~OleThread();
};

}  // namespace picker_test
