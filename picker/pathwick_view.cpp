// IViewObject2: the container draws the control's 32 x 32 picture itself,
// which is how a designer shows it.
#include "pathwick_control.h"

#include "control_extent.h"
#include "tollen_resource_ids.h"

namespace tollen {

HICON PathwickControl::Picture() {
    if (!picture_)
        picture_.reset(static_cast<HICON>(
            ::LoadImageW(ThisModule(), MAKEINTRESOURCEW(IDI_PATHWICK), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    return picture_.get();
}

HRESULT PathwickControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC draw, LPCRECTL bounds,
                              LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!draw || !bounds) return E_INVALIDARG;
    HICON picture = Picture();
    if (!picture) return HRESULT_FROM_WIN32(::GetLastError());
    if (!::DrawIconEx(draw, bounds->left, bounds->top, picture, bounds->right - bounds->left,
                      bounds->bottom - bounds->top, 0, nullptr, DI_NORMAL))
        return HRESULT_FROM_WIN32(::GetLastError());
    return S_OK;
}

HRESULT PathwickControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colors) {
    if (colors) *colors = nullptr;
    return S_FALSE;  // no particular palette
}

HRESULT PathwickControl::Freeze(DWORD, LONG, void*, DWORD* freeze) {
    if (freeze) *freeze = 0;
    return E_NOTIMPL;
}

HRESULT PathwickControl::Unfreeze(DWORD) { return E_NOTIMPL; }

HRESULT PathwickControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    viewAspects_ = aspects;
    viewFlags_ = flags;
    viewSink_ = sink;
    return S_OK;
}

HRESULT PathwickControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = viewAspects_;
    if (flags) *flags = viewFlags_;
    if (sink) viewSink_.CopyTo(sink);
    return S_OK;
}

HRESULT PathwickControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    size->cx = ControlSizeHimetric;
    size->cy = ControlSizeHimetric;
    return S_OK;
}

}  // namespace tollen
