// Pathwick's identity, its automation members and its type information.
#include "pathwick_control.h"
#include "com_owners.h"

#include "about_box.h"
#include "browse_dialog.h"
#include "com_enumerator.h"
#include "com_boundary.h"
#include "owner_window.h"
#include "picker_state.h"
#include "type_library.h"

using Microsoft::WRL::ComPtr;

namespace tollen {

PathwickControl::PathwickControl() : sourcePoint_(this) {
    dispatchInfo_ = TypeInfoOf(IID__Pathwick);
    interfaceInfo_ = PathwickInterfaceTypeInfo();
    Module1::ResetPickerState();  // UserControl_Initialize
}

PathwickControl::~PathwickControl() = default;

HRESULT PathwickControl::Create(REFIID iid, void** object) {
    return Guarded(IID_IClassFactory, [&] { return win32::MakeAs<PathwickControl>(iid, object); });
}

const QITAB PathwickControl::kInterfaces[] = {
    QITABENTMULTI2(PathwickControl, IID__Pathwick, _Pathwick),
    QITABENTMULTI2(PathwickControl, IID_IDispatch, _Pathwick),
    QITABENT(PathwickControl, ISupportErrorInfo),
    QITABENTMULTI2(PathwickControl, IID_IProvideClassInfo, IProvideClassInfo2),
    QITABENT(PathwickControl, IProvideClassInfo2),
    QITABENT(PathwickControl, IConnectionPointContainer),
    QITABENT(PathwickControl, IOleObject),
    QITABENT(PathwickControl, IOleControl),
    QITABENTMULTI2(PathwickControl, IID_IOleWindow, IOleInPlaceObject),
    QITABENT(PathwickControl, IOleInPlaceObject),
    QITABENT(PathwickControl, IOleInPlaceActiveObject),
    QITABENTMULTI2(PathwickControl, IID_IPersist, IPersistStreamInit),
    QITABENT(PathwickControl, IPersistStreamInit),
    QITABENT(PathwickControl, IPersistPropertyBag),
    QITABENTMULTI2(PathwickControl, IID_IViewObject, IViewObject2),
    QITABENT(PathwickControl, IViewObject2),
    {},
};

// IDispatch -----------------------------------------------------------------

HRESULT PathwickControl::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT PathwickControl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return dispatchInfo_.CopyTo(info);
}

HRESULT PathwickControl::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    return ::DispGetIDsOfNames(interfaceInfo_.Get(), names, count, ids);
}

HRESULT PathwickControl::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                EXCEPINFO* exception, UINT* argumentError) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    return ::DispInvoke(static_cast<_Pathwick*>(this), interfaceInfo_.Get(), id, flags, parameters, result,
                        exception, argumentError);
}

// _Pathwick -----------------------------------------------------------------

HRESULT PathwickControl::GetText(TextField field, BSTR* text) {
    return Guarded(IID__Pathwick, [&]() -> HRESULT {
        if (!text) return E_POINTER;
        *text = win32::NewBstr(Module1::ThreadPickerState().*field).release();
        return S_OK;
    });
}

HRESULT PathwickControl::SetText(TextField field, BSTR text) {
    return Guarded(IID__Pathwick, [&]() -> HRESULT {
        Module1::ThreadPickerState().*field = win32::BstrText(text);
        dirty_ = true;
        return S_OK;
    });
}

HRESULT PathwickControl::get_Initial(BSTR* Initial) { return GetText(&Module1::PickerState::Initial, Initial); }
HRESULT PathwickControl::put_Initial(BSTR NewDirectory) { return SetText(&Module1::PickerState::Initial, NewDirectory); }
HRESULT PathwickControl::get_Prompt(BSTR* Prompt) { return GetText(&Module1::PickerState::Prompt, Prompt); }
HRESULT PathwickControl::put_Prompt(BSTR NewPrompt) { return SetText(&Module1::PickerState::Prompt, NewPrompt); }

HRESULT PathwickControl::get_Selected(VARIANT* Selected) {
    return Guarded(IID__Pathwick, [&]() -> HRESULT {
        if (!Selected) return E_POINTER;
        BSTR text = win32::NewBstr(Module1::ThreadPickerState().Selected).release();
        ::VariantInit(Selected);
        V_VT(Selected) = VT_BSTR;
        V_BSTR(Selected) = text;
        return S_OK;
    });
}

HRESULT PathwickControl::get_Canceled(VARIANT* Canceled) {
    return Guarded(IID__Pathwick, [&]() -> HRESULT {
        if (!Canceled) return E_POINTER;
        const bool canceled = Module1::ThreadPickerState().Canceled;
        ::VariantInit(Canceled);
        V_VT(Canceled) = VT_BOOL;
        V_BOOL(Canceled) = canceled ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}

HRESULT PathwickControl::Browse(VARIANT_BOOL* Browse) {
    return Guarded(IID__Pathwick, [&]() -> HRESULT {
        if (!Browse) return E_POINTER;
        // A script host's CreateObject gives no site: the dialog then has no owner.
        HWND owner = nullptr;
        if (site_) {
            ComPtr<IDispatch> parent = ParentObjectOf(site_.Get());
            owner = OwnerWindowOf(parent.Get());
        }
        *Browse = Module1::BrowseForDirectory(owner) ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}

HRESULT PathwickControl::ShowAboutBox() {
    return Guarded(IID__Pathwick, [&]() -> HRESULT {
        ShowAboutForm();
        return S_OK;
    });
}

// ISupportErrorInfo, IProvideClassInfo2, IConnectionPointContainer ----------

HRESULT PathwickControl::InterfaceSupportsErrorInfo(REFIID iid) {
    const bool described = iid == IID__Pathwick || iid == IID_IDispatch || iid == IID_IPersistStreamInit ||
                           iid == IID_IPersistPropertyBag;
    return described ? S_OK : S_FALSE;
}

HRESULT PathwickControl::GetClassInfo(ITypeInfo** info) {
    return Guarded(IID_IProvideClassInfo, [&]() -> HRESULT {
        if (!info) return E_POINTER;
        *info = TypeInfoOf(CLSID_Pathwick).Detach();
        return S_OK;
    });
}

HRESULT PathwickControl::GetGUID(DWORD kind, GUID* guid) {
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = DIID___Pathwick;
    return S_OK;
}

HRESULT PathwickControl::EnumConnectionPoints(IEnumConnectionPoints** points) {
    return Guarded(IID_IConnectionPointContainer, [&]() -> HRESULT {
        if (!points) return E_POINTER;
        *points = nullptr;
        return ConnectionPointEnumerator::Create({&sourcePoint_}, 0, points);
    });
}

HRESULT PathwickControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (iid != DIID___Pathwick) return CONNECT_E_NOCONNECTION;
    *point = &sourcePoint_;
    sourcePoint_.AddRef();
    return S_OK;
}

}  // namespace tollen
