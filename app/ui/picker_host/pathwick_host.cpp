#include "picker_host/pathwick_host.h"

#include <olectl.h>
#include <utility>

#include "com_object.h"
#include "twips.h"

using Microsoft::WRL::ComPtr;

namespace {

// --- Small COM objects of the host ------------------------------------------

struct DispatchMember {
    const wchar_t* name;
    DISPID id;
};

// The host's objects have no type library: each answers IDispatch from a table
// of its few read-only members (Object::kMembers, read by Object::GetMember),
// looked up by name without regard to case, as late-bound callers expect.
template <typename Object, typename... Interfaces>
class TableDispatch : public win32::ComObject<Object, IDispatch, Interfaces...> {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return DISP_E_BADINDEX;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (!names || !ids || count == 0) return E_INVALIDARG;
        for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
        for (const DispatchMember& member : Object::kMembers) {
            if (::CompareStringOrdinal(names[0], -1, member.name, -1, TRUE) == CSTR_EQUAL) {
                ids[0] = member.id;
                return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;  // they take no named arguments
            }
        }
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override {
        bool known = false;
        for (const DispatchMember& member : Object::kMembers) known = known || member.id == id;
        if (!known || !(flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD))) return DISP_E_MEMBERNOTFOUND;
        if (params && params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
        VARIANT ignored;
        VARIANT* out = result ? result : &ignored;
        ::VariantInit(out);
        HRESULT hr = static_cast<Object*>(this)->GetMember(id, *out);
        if (!result) ::VariantClear(&ignored);
        return hr;
    }
};

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

// The form's saved properties of Pathwick1: none differ from their defaults,
// so every key reads as missing and the control takes its default.
class EmptyPropertyBag final : public win32::ComObject<EmptyPropertyBag, IPropertyBag> {
public:
    static const QITAB kInterfaces[];
    STDMETHODIMP Read(LPCOLESTR, VARIANT*, IErrorLog*) override { return E_INVALIDARG; }
    STDMETHODIMP Write(LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }
};

const QITAB EmptyPropertyBag::kInterfaces[] = {QITABENT(EmptyPropertyBag, IPropertyBag), {}};

// Loads the control's stored properties: from the (empty) property bag when it
// reads one, else as a new object from its stream persistence.
void LoadStoredProperties(IOleObject* object) {
    ComPtr<IPersistPropertyBag> bag;
    if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&bag)))) {
        ComPtr<EmptyPropertyBag> empty = win32::Make<EmptyPropertyBag>();
        win32::ThrowIfFailed(bag->Load(empty.Get(), nullptr));
        return;
    }
    ComPtr<IPersistStreamInit> stream;
    if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&stream)))) {
        win32::ThrowIfFailed(stream->InitNew());
    }
}

// The control's size, 480 twips square (a third of an inch).
constexpr SIZEL kStoredExtent{win32::TwipsToHimetric(480), win32::TwipsToHimetric(480)};

}  // namespace

ComPtr<IOleClientSite> CreateControlSite(HWND form) {
    return win32::Make<ControlSite>(form);
}

PathwickHost::OleSession::OleSession() { win32::ThrowIfFailed(::OleInitialize(nullptr)); }
PathwickHost::OleSession::~OleSession() { ::OleUninitialize(); }

PathwickHost::PathwickHost(HWND form, const wchar_t* progId) {
    CLSID clsid{};
    win32::ThrowIfFailed(::CLSIDFromProgID(progId, &clsid));
    win32::ThrowIfFailed(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object_)));
    try {
        ComPtr<IOleClientSite> site = CreateControlSite(form);
        win32::ThrowIfFailed(object_->SetClientSite(site.Get()));
        LoadStoredProperties(object_.Get());
        SIZEL extent = kStoredExtent;
        win32::ThrowIfFailed(object_->SetExtent(DVASPECT_CONTENT, &extent));
        ComPtr<IDispatch> dispatch;
        win32::ThrowIfFailed(object_.As(&dispatch));
        control_.emplace(std::move(dispatch));
    } catch (...) {
        Close();
        throw;
    }
}

PathwickHost::~PathwickHost() { Close(); }

void PathwickHost::Close() noexcept {
    control_.reset();
    if (!object_) return;
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
    object_.Reset();
}

std::unique_ptr<PathwickHost> CreatePathwick1(HWND form, const wchar_t* progId) {
    try {
        return std::make_unique<PathwickHost>(form, progId);
    } catch (const win32::Error& error) {
        throw win32::Error::Described(error.Hr(), L"The folder picker could not be created.\n\n" + error.Describe());
    }
}
