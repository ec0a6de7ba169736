#pragma once
// IDispatch from a table, for the host's small objects that have no type library.
#include <windows.h>
#include <oaidl.h>

#include "com_object.h"

struct DispatchMember {
    const wchar_t* name;
    DISPID id;
};

// Each object answers IDispatch from a table of its few read-only members (Object::kMembers, read by Object::GetMember),
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
