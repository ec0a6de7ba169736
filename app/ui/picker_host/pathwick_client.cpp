#include "picker_host/pathwick_client.h"

#include <Tollen_h.h>
#include "com_owners.h"
#include <utility>

namespace {

// The exception a callee raised (DISP_E_EXCEPTION) as our own error, its
// strings freed here: the caller owns an EXCEPINFO's contents.
win32::Error FromExceptInfo(EXCEPINFO& info) {
    if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
    HRESULT hr = info.scode ? info.scode : DISP_E_EXCEPTION;
    std::wstring text;
    if (info.bstrDescription) text.assign(info.bstrDescription, ::SysStringLen(info.bstrDescription));
    ::SysFreeString(info.bstrSource);
    ::SysFreeString(info.bstrDescription);
    ::SysFreeString(info.bstrHelpFile);
    return win32::Error::Described(hr, std::move(text));
}

}  // namespace

PathwickClient::PathwickClient(Microsoft::WRL::ComPtr<IDispatch> control)
    : control_(std::move(control)) {}

void PathwickClient::Call(DISPID member, WORD flags, DISPPARAMS& params, VARIANT* result) {
    EXCEPINFO info{};
    HRESULT hr = control_->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                  result, &info, nullptr);
    if (hr == DISP_E_EXCEPTION) throw FromExceptInfo(info);
    win32::ThrowIfFailed(hr);
}

void PathwickClient::PutText(DISPID member, const std::wstring& text) {
    win32::Variant argument;
    argument.vt = VT_BSTR;
    argument.bstrVal = win32::NewBstr(text).release();
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&argument, &named, 1, 1};
    Call(member, DISPATCH_PROPERTYPUT, params, nullptr);
}

void PathwickClient::SetPrompt(const std::wstring& prompt) {
    PutText(DISPID_PATHWICK_PROMPT, prompt);
}

void PathwickClient::SetInitial(const std::wstring& directory) {
    PutText(DISPID_PATHWICK_INITIAL, directory);
}

bool PathwickClient::Browse() {
    DISPPARAMS none{};
    win32::Variant result;
    Call(DISPID_PATHWICK_BROWSE, DISPATCH_METHOD, none, &result);
    win32::ThrowIfFailed(::VariantChangeType(&result, &result, 0, VT_BOOL));
    return result.boolVal != VARIANT_FALSE;
}

bool PathwickClient::Canceled() {
    DISPPARAMS none{};
    win32::Variant result;
    Call(DISPID_PATHWICK_CANCELED, DISPATCH_PROPERTYGET, none, &result);
    if (result.vt == VT_NULL || result.vt == VT_EMPTY) return false;
    win32::ThrowIfFailed(::VariantChangeType(&result, &result, 0, VT_BOOL));
    return result.boolVal != VARIANT_FALSE;
}

std::wstring PathwickClient::Selected() {
    DISPPARAMS none{};
    win32::Variant result;
    Call(DISPID_PATHWICK_SELECTED, DISPATCH_PROPERTYGET, none, &result);
    win32::ThrowIfFailed(::VariantChangeType(&result, &result, 0, VT_BSTR));
    return win32::BstrText(result.bstrVal);
}
