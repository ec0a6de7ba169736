#include "picker_host/control_site.h"

#include <olectl.h>
#include <utility>

#include "picker_host/table_dispatch.h"

using Microsoft::WRL::ComPtr;

namespace {

// The form the control sits on (frmStatus): its container, answering "hwnd".
class FormObject final : public TableDispatch<FormObject, IOleContainer> {
public:
    static const QITAB kInterfaces[];
    static constexpr DISPID kHwnd = 1;
    static constexpr DispatchMember kMembers[] = {{L"hwnd", kHwnd}};

    explicit FormObject(HWND form) : form_(form) {}

    // A Long, as forms answer it: sound on x64 too, since window handles carry
    // only 32 significant bits (HandleToLong keeps them; the control widens back).
    HRESULT GetMember(DISPID, VARIANT& out) {
        out.vt = VT_I4;
        out.lVal = static_cast<LONG>(reinterpret_cast<LONG_PTR>(form_));
        return S_OK;
    }

    // IOleContainer: the form holds one embedded object and lists none.
    STDMETHODIMP ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker**) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP EnumObjects(DWORD, IEnumUnknown** objects) override {
        if (objects) *objects = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP LockContainer(BOOL) override { return S_OK; }

private:
    HWND form_;
};

const QITAB FormObject::kInterfaces[] = {QITABENT(FormObject, IDispatch), QITABENT(FormObject, IOleContainer),
                                         QITABENTMULTI(FormObject, IParseDisplayName, IOleContainer), {}};

// The control as its form sees it: "Parent" is the form.
class ExtendedControl final : public TableDispatch<ExtendedControl> {
public:
    static const QITAB kInterfaces[];
    static constexpr DISPID kParent = 1;
    static constexpr DispatchMember kMembers[] = {{L"Parent", kParent}};

    explicit ExtendedControl(ComPtr<IDispatch> parent) : parent_(std::move(parent)) {}

    HRESULT GetMember(DISPID, VARIANT& out) {
        out.vt = VT_DISPATCH;
        out.pdispVal = parent_.Get();
        out.pdispVal->AddRef();
        return S_OK;
    }

private:
    ComPtr<IDispatch> parent_;
};

const QITAB ExtendedControl::kInterfaces[] = {QITABENT(ExtendedControl, IDispatch), {}};

// The client site of Pathwick1; its IDispatch answers the ambient properties.
class ControlSite final
    : public TableDispatch<ControlSite, IOleClientSite, IOleControlSite> {
public:
    static const QITAB kInterfaces[];
    static constexpr DispatchMember kMembers[] = {{L"UserMode", DISPID_AMBIENT_USERMODE},
                                                  {L"UIDead", DISPID_AMBIENT_UIDEAD}};

    explicit ControlSite(HWND form) {
        form_ = win32::Make<FormObject>(form);
        extended_ = win32::Make<ExtendedControl>(static_cast<IDispatch*>(form_.Get()));
    }

    HRESULT GetMember(DISPID id, VARIANT& out) {
        out.vt = VT_BOOL;  // the program runs (user mode), and its UI is alive
        out.boolVal = id == DISPID_AMBIENT_USERMODE ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        if (moniker) *moniker = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** container) override {
        if (!container) return E_POINTER;
        *container = static_cast<IOleContainer*>(form_.Get());
        (*container)->AddRef();
        return S_OK;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch** control) override {
        if (!control) return E_POINTER;
        *control = extended_.Get();
        (*control)->AddRef();
        return S_OK;
    }
    STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }

private:
    ComPtr<FormObject> form_;
    ComPtr<IDispatch> extended_;
};

const QITAB ControlSite::kInterfaces[] = {QITABENT(ControlSite, IDispatch), QITABENT(ControlSite, IOleClientSite),
                                          QITABENT(ControlSite, IOleControlSite), {}};

}  // namespace

ComPtr<IOleClientSite> CreateControlSite(HWND form) {
    return win32::Make<ControlSite>(form);
}
