// In-place activation: a container may activate the control (it asks to be
// activated when visible); it then shows its picture in a child window at
// design time and nothing at run time.
#include "pathwick_control.h"
#include "com_owners.h"

#include "com_boundary.h"
#include "control_extent.h"

using Microsoft::WRL::ComPtr;

namespace tollen {

bool PathwickControl::AmbientUserMode() {
    ComPtr<IDispatch> ambient;
    if (!site_ || FAILED(site_.As(&ambient))) return true;
    win32::Variant userMode;
    DISPPARAMS noArguments{};
    if (FAILED(ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                               &noArguments, &userMode, nullptr, nullptr)) ||
        FAILED(::VariantChangeType(&userMode, &userMode, 0, VT_BOOL)))
        return true;
    return V_BOOL(&userMode) != VARIANT_FALSE;
}

void PathwickControl::ActivateInPlace(bool uiActivate) {
    if (!site_) throw win32::Error(E_UNEXPECTED);
    if (!inPlaceSite_) {
        ComPtr<IOleInPlaceSite> inPlaceSite;
        win32::ThrowIfFailed(site_.As(&inPlaceSite));
        if (inPlaceSite->CanInPlaceActivate() != S_OK) throw win32::Error(E_FAIL);
        win32::ThrowIfFailed(inPlaceSite->OnInPlaceActivate());
        inPlaceSite_ = inPlaceSite;

        HWND parent = nullptr;
        RECT position{}, clip{};
        OLEINPLACEFRAMEINFO frameInfo{};
        frameInfo.cb = sizeof frameInfo;
        win32::ThrowIfFailed(inPlaceSite_->GetWindow(&parent));
        win32::ThrowIfFailed(inPlaceSite_->GetWindowContext(&frame_, &uiWindow_, &position, &clip, &frameInfo));

        const DWORD visible = AmbientUserMode() ? 0 : WS_VISIBLE;  // invisible at run time
        window_.reset(::CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | SS_ICON | SS_REALSIZECONTROL | visible,
                                        position.left, position.top, position.right - position.left,
                                        position.bottom - position.top, parent, nullptr, ThisModule(), nullptr));
        if (!window_) win32::ThrowLastError();
        ::SendMessageW(window_.get(), STM_SETICON, reinterpret_cast<WPARAM>(Picture()), 0);
        site_->ShowObject();
    }
    if (uiActivate && !uiActive_) {
        win32::ThrowIfFailed(inPlaceSite_->OnUIActivate());
        uiActive_ = true;
        if (frame_) frame_->SetActiveObject(this, nullptr);
        if (uiWindow_) uiWindow_->SetActiveObject(this, nullptr);
    }
}

// IOleWindow, IOleInPlaceObject ----------------------------------------------

HRESULT PathwickControl::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = window_.get();
    return window_ ? S_OK : E_FAIL;
}

HRESULT PathwickControl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT PathwickControl::InPlaceDeactivate() {
    if (!inPlaceSite_) return S_OK;
    UIDeactivate();
    window_.reset();
    ComPtr<IOleInPlaceSite> inPlaceSite = std::move(inPlaceSite_);
    frame_.Reset();
    uiWindow_.Reset();
    inPlaceSite->OnInPlaceDeactivate();
    return S_OK;
}

HRESULT PathwickControl::UIDeactivate() {
    if (!uiActive_) return S_OK;
    uiActive_ = false;
    if (frame_) frame_->SetActiveObject(nullptr, nullptr);
    if (uiWindow_) uiWindow_->SetActiveObject(nullptr, nullptr);
    if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
    return S_OK;
}

HRESULT PathwickControl::SetObjectRects(LPCRECT position, LPCRECT) {
    if (!position) return E_POINTER;
    if (window_)
        ::SetWindowPos(window_.get(), nullptr, position->left, position->top, position->right - position->left,
                       position->bottom - position->top, SWP_NOZORDER | SWP_NOACTIVATE);
    return S_OK;
}

HRESULT PathwickControl::ReactivateAndUndo() { return INPLACE_E_NOTUNDOABLE; }

// IOleInPlaceActiveObject -----------------------------------------------------

HRESULT PathwickControl::TranslateAccelerator(LPMSG) { return S_FALSE; }
HRESULT PathwickControl::OnFrameWindowActivate(BOOL) { return S_OK; }
HRESULT PathwickControl::OnDocWindowActivate(BOOL) { return S_OK; }
HRESULT PathwickControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
HRESULT PathwickControl::EnableModeless(BOOL) { return S_OK; }

}  // namespace tollen
