#include "owner_window.h"
#include "com_owners.h"

#include "com_boundary.h"

using Microsoft::WRL::ComPtr;

namespace tollen {
namespace {

ComPtr<IDispatch> ExtenderOf(IOleClientSite* site) {
    ComPtr<IOleControlSite> controlSite;
    ComPtr<IDispatch> extender;
    if (FAILED(site->QueryInterface(IID_PPV_ARGS(&controlSite)))) return extender;
    if (FAILED(controlSite->GetExtendedControl(&extender))) extender.Reset();
    return extender;
}

ComPtr<IDispatch> AsDispatch(const VARIANT& value) {
    ComPtr<IDispatch> object;
    if (V_VT(&value) == VT_DISPATCH && V_DISPATCH(&value)) {
        object = V_DISPATCH(&value);
    } else if (V_VT(&value) == VT_UNKNOWN && V_UNKNOWN(&value)) {
        win32::ThrowIfFailed(V_UNKNOWN(&value)->QueryInterface(IID_PPV_ARGS(&object)));
    } else {
        throw win32::Error(DISP_E_TYPEMISMATCH);
    }
    return object;
}

}  // namespace

void GetPropertyByName(IDispatch* object, const std::wstring& name, VARIANT* value) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
    DISPID id = DISPID_UNKNOWN;
    win32::ThrowIfFailed(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
    DISPPARAMS noArguments{};
    win32::ThrowIfFailed(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &noArguments, value,
                                        nullptr, nullptr));
}

ComPtr<IDispatch> ParentObjectOf(IOleClientSite* site) {
    if (ComPtr<IDispatch> extender = ExtenderOf(site)) {
        win32::Variant parent;
        GetPropertyByName(extender.Get(), L"Parent", &parent);
        return AsDispatch(parent);
    }
    ComPtr<IOleContainer> container;
    win32::ThrowIfFailed(site->GetContainer(&container));
    if (!container) throw win32::Error(E_NOINTERFACE);
    ComPtr<IDispatch> form;
    win32::ThrowIfFailed(container.As(&form));
    return form;
}

// Hosts answer "hwnd" as a Long (VT_I4); a 64-bit host may answer a LongPtr
// (VT_I8). Both are sound on x64: window handles are shared across 32- and
// 64-bit processes and only their low 32 bits are significant, sign-extended
// when widened (the platform's LongToHandle), which is what the conversion does.
HWND OwnerWindowOf(IDispatch* parent) {
    win32::Variant hwnd;
    GetPropertyByName(parent, L"hwnd", &hwnd);
#ifdef _WIN64
    win32::ThrowIfFailed(::VariantChangeType(&hwnd, &hwnd, 0, VT_I8));
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(V_I8(&hwnd)));
#else
    win32::ThrowIfFailed(::VariantChangeType(&hwnd, &hwnd, 0, VT_I4));
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(V_I4(&hwnd)));
#endif
}

}  // namespace tollen
