// Pathwick as an OLE control in its container: site, verbs, size and status.
#include "pathwick_control.h"

#include "com_boundary.h"
#include "control_extent.h"

using Microsoft::WRL::ComPtr;

namespace tollen {

// IOleObject ----------------------------------------------------------------

HRESULT PathwickControl::SetClientSite(IOleClientSite* site) {
    site_ = site;
    return S_OK;
}

HRESULT PathwickControl::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    return site_.CopyTo(site);
}

HRESULT PathwickControl::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

// A sink that holds the control would otherwise keep both alive after the
// container let go of them.
HRESULT PathwickControl::Close(DWORD) {
    InPlaceDeactivate();
    sourcePoint_.DisconnectAll();
    return S_OK;
}

HRESULT PathwickControl::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

HRESULT PathwickControl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT PathwickControl::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

HRESULT PathwickControl::GetClipboardData(DWORD, IDataObject** data) {
    if (data) *data = nullptr;
    return E_NOTIMPL;
}

HRESULT PathwickControl::DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) {
    return Guarded(IID_IOleObject, [&]() -> HRESULT {
        switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_INPLACEACTIVATE:
            ActivateInPlace(false);
            return S_OK;
        case OLEIVERB_UIACTIVATE:
            ActivateInPlace(true);
            return S_OK;
        case OLEIVERB_HIDE:
            return InPlaceDeactivate();
        case OLEIVERB_DISCARDUNDOSTATE:
            return S_OK;
        case OLEIVERB_OPEN:
            return E_NOTIMPL;  // the control has no window of its own to open
        default:
            if (verb < 0) return E_NOTIMPL;
            ActivateInPlace(false);  // an unknown positive verb does the primary one
            return OLEOBJ_S_INVALIDVERB;
        }
    });
}

HRESULT PathwickControl::EnumVerbs(IEnumOLEVERB** verbs) {
    if (verbs) *verbs = nullptr;
    return OLE_S_USEREG;
}

HRESULT PathwickControl::Update() { return S_OK; }
HRESULT PathwickControl::IsUpToDate() { return S_OK; }

HRESULT PathwickControl::GetUserClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_Pathwick;
    return S_OK;
}

HRESULT PathwickControl::GetUserType(DWORD, LPOLESTR* userType) {
    if (userType) *userType = nullptr;
    return OLE_S_USEREG;
}

// UserControl_Resize: whatever size is asked, the control stays 480 x 480 twips.
HRESULT PathwickControl::SetExtent(DWORD aspect, SIZEL* size) {
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    return S_OK;
}

HRESULT PathwickControl::GetExtent(DWORD aspect, SIZEL* size) {
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    size->cx = ControlSizeHimetric;
    size->cy = ControlSizeHimetric;
    return S_OK;
}

HRESULT PathwickControl::Advise(IAdviseSink* sink, DWORD* connection) {
    return Guarded(IID_IOleObject, [&]() -> HRESULT {
        if (!connection) return E_POINTER;
        *connection = 0;
        if (!oleAdvise_) win32::ThrowIfFailed(::CreateOleAdviseHolder(&oleAdvise_));
        return oleAdvise_->Advise(sink, connection);
    });
}

HRESULT PathwickControl::Unadvise(DWORD connection) {
    if (!oleAdvise_) return OLE_E_NOCONNECTION;
    return oleAdvise_->Unadvise(connection);
}

HRESULT PathwickControl::EnumAdvise(IEnumSTATDATA** advises) {
    if (!advises) return E_POINTER;
    *advises = nullptr;
    if (!oleAdvise_) return E_FAIL;
    return oleAdvise_->EnumAdvise(advises);
}

HRESULT PathwickControl::GetMiscStatus(DWORD, DWORD* status) {
    if (!status) return E_POINTER;
    *status = PathwickMiscStatus;
    return S_OK;
}

HRESULT PathwickControl::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// IOleControl ---------------------------------------------------------------

HRESULT PathwickControl::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    // No mnemonics: the control takes no keyboard input.
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT PathwickControl::OnMnemonic(MSG*) { return E_NOTIMPL; }
HRESULT PathwickControl::OnAmbientPropertyChange(DISPID) { return S_OK; }
HRESULT PathwickControl::FreezeEvents(BOOL) { return S_OK; }

}  // namespace tollen
