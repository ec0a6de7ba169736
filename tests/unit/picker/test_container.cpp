#include "test_container.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <cwctype>

namespace picker_test {
namespace {

std::wstring Upper(const wchar_t* text) {
    std::wstring upper = text;
    for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(c));
    return upper;
}

VARIANT DispatchValue(IDispatch* object) {
    VARIANT value;
    ::VariantInit(&value);
    V_VT(&value) = VT_DISPATCH;
    V_DISPATCH(&value) = object;
    object->AddRef();
    return value;
}

}  // namespace

NamedProperties::~NamedProperties() {
    for (auto& entry : values_) ::VariantClear(&entry.second);
}

void NamedProperties::Set(const std::wstring& name, VARIANT value) {
    const std::wstring key = Upper(name.c_str());
    auto found = values_.find(key);
    if (found != values_.end()) ::VariantClear(&found->second);
    values_[key] = value;
}

STDMETHODIMP NamedProperties::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

STDMETHODIMP NamedProperties::GetTypeInfo(UINT, LCID, ITypeInfo**) { return DISP_E_BADINDEX; }

// DISPIDs are 1 + the position of the name in the (sorted) map.
STDMETHODIMP NamedProperties::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        const auto found = values_.find(Upper(names[i]));
        ids[i] = found == values_.end() ? DISPID_UNKNOWN
                                        : static_cast<DISPID>(1 + std::distance(values_.begin(), found));
        if (found == values_.end()) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

STDMETHODIMP NamedProperties::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO*, UINT*) {
    ++invokeCount;
    lastFlags = flags;
    if (id < 1 || static_cast<size_t>(id) > values_.size()) return DISP_E_MEMBERNOTFOUND;
    if (!(flags & DISPATCH_PROPERTYGET) || (parameters && parameters->cArgs != 0)) return DISP_E_MEMBERNOTFOUND;
    auto entry = values_.begin();
    std::advance(entry, id - 1);
    return result ? ::VariantCopy(result, &entry->second) : S_OK;
}

ComPtr<NamedProperties> MakeForm(HWND window, VARTYPE hwndType) {
    ComPtr<NamedProperties> form = Make<NamedProperties>();
    VARIANT hwnd;
    ::VariantInit(&hwnd);
    V_VT(&hwnd) = VT_I4;
    V_I4(&hwnd) = static_cast<LONG>(reinterpret_cast<LONG_PTR>(window));
    if (hwndType != VT_I4) ::VariantChangeType(&hwnd, &hwnd, 0, hwndType);
    form->Set(L"hWnd", hwnd);
    return form;
}

ComPtr<NamedProperties> MakeFormWithoutHwnd() {
    ComPtr<NamedProperties> form = Make<NamedProperties>();
    VARIANT caption;
    ::VariantInit(&caption);
    V_VT(&caption) = VT_BSTR;
    V_BSTR(&caption) = ::SysAllocString(L"Form1");
    form->Set(L"Caption", caption);
    return form;
}

TestSite::TestSite(ComPtr<NamedProperties> parentForm, bool withExtender) : form(std::move(parentForm)) {
    if (!withExtender) return;
    extender = Make<NamedProperties>();
    extender->Set(L"Parent", DispatchValue(form.Get()));
}

STDMETHODIMP TestSite::GetContainer(IOleContainer** container) {
    if (!container) return E_POINTER;
    *container = form.Get();
    form->AddRef();
    return S_OK;
}

STDMETHODIMP TestSite::GetExtendedControl(IDispatch** control) {
    if (!control) return E_POINTER;
    *control = nullptr;
    if (!extender) return E_NOTIMPL;
    return extender.CopyTo(control);
}

namespace {

// The property bag of a host that stored nothing: every key is missing.
class EmptyBag : public TestObject<IPropertyBag> {
public:
    STDMETHODIMP Read(LPCOLESTR, VARIANT*, IErrorLog*) override { return E_INVALIDARG; }
    STDMETHODIMP Write(LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }
};

ComPtr<IDispatch> CreateByProgId() {
    CLSID clsid{};
    EXPECT_EQ(S_OK, ::CLSIDFromProgID(L"Tollen.Pathwick", &clsid));
    ComPtr<IDispatch> control;
    EXPECT_EQ(S_OK, ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control)));
    return control;
}

}  // namespace

ComPtr<IDispatch> CreateHostedPathwick(IOleClientSite* site) {
    ComPtr<IDispatch> control = CreateByProgId();
    if (!control) return control;
    ComPtr<IOleObject> object;
    EXPECT_EQ(S_OK, control.As(&object));
    EXPECT_EQ(S_OK, object->SetClientSite(site));
    ComPtr<IPersistPropertyBag> persist;
    EXPECT_EQ(S_OK, control.As(&persist));
    ComPtr<IPropertyBag> bag = Make<EmptyBag>();
    EXPECT_EQ(S_OK, persist->Load(bag.Get(), nullptr));
    SIZEL extent{847, 847};
    EXPECT_EQ(S_OK, object->SetExtent(DVASPECT_CONTENT, &extent));
    return control;
}

ComPtr<IDispatch> CreatePathwick() { return CreateByProgId(); }

HRESULT Put(IDispatch* control, DISPID id, VARIANT value, EXCEPINFO* exception) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{&value, &named, 1, 1};
    return control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &parameters, nullptr, exception,
                           nullptr);
}

HRESULT PutText(IDispatch* control, DISPID id, const wchar_t* text) {
    VARIANT value;
    ::VariantInit(&value);
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = ::SysAllocString(text);
    const HRESULT hr = Put(control, id, value);
    ::VariantClear(&value);
    return hr;
}

HRESULT Get(IDispatch* control, DISPID id, VARIANT* result, EXCEPINFO* exception) {
    DISPPARAMS none{};
    return control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, result, exception,
                           nullptr);
}

std::wstring GetText(IDispatch* control, DISPID id) {
    VARIANT value;
    ::VariantInit(&value);
    EXPECT_EQ(S_OK, Get(control, id, &value));
    EXPECT_EQ(VT_BSTR, V_VT(&value));
    std::wstring text;
    if (V_VT(&value) == VT_BSTR && V_BSTR(&value)) text.assign(V_BSTR(&value), ::SysStringLen(V_BSTR(&value)));
    ::VariantClear(&value);
    return text;
}

bool GetBool(IDispatch* control, DISPID id) {
    VARIANT value;
    ::VariantInit(&value);
    EXPECT_EQ(S_OK, Get(control, id, &value));
    EXPECT_EQ(VT_BOOL, V_VT(&value));
    const bool result = V_VT(&value) == VT_BOOL && V_BOOL(&value) != VARIANT_FALSE;
    if (V_VT(&value) == VT_BOOL) {
        EXPECT_TRUE(V_BOOL(&value) == VARIANT_TRUE || V_BOOL(&value) == VARIANT_FALSE);
    }
    ::VariantClear(&value);
    return result;
}

HRESULT CallMethod(IDispatch* control, DISPID id, VARIANT* result, EXCEPINFO* exception) {
    DISPPARAMS none{};
    return control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, result, exception, nullptr);
}

DISPID IdOfName(IDispatch* control, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(S_OK, control->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)) << name;
    return id;
}

OleThread::OleThread() { EXPECT_EQ(S_OK, ::OleInitialize(nullptr)); }
OleThread::~OleThread() { ::OleUninitialize(); }

}  // namespace picker_test
