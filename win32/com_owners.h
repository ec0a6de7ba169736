#pragma once
// Owners of the memory COM hands across: BSTRs and CoTaskMem blocks are owned
// as handles are; a VARIANT is storage that clears itself. Running out of
// memory is std::bad_alloc, as for any other allocation.
#include <objbase.h>
#include <oleauto.h>

#include <new>
#include <string>
#include <utility>

#include "handle_owners.h"

namespace win32 {

using Bstr = UniqueHandle<ClosedBy<BSTR, &::SysFreeString>>;

// A BSTR holding the text, NULs and all.
inline Bstr NewBstr(const std::wstring& text) {
    Bstr value(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
    if (!value) throw std::bad_alloc();
    return value;
}

// A BSTR may hold NULs and a null BSTR is "": take its length, not a C string.
inline std::wstring BstrText(BSTR value) {
    return value ? std::wstring(value, ::SysStringLen(value)) : std::wstring();
}

// A VARIANT that clears itself.
struct Variant : VARIANT {
    Variant() noexcept { ::VariantInit(this); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { ::VariantClear(this); }
};

// A block the callee allocated with CoTaskMemAlloc (an ITEMIDLIST, a string).
template <class T>
using CoTaskMem = UniqueHandle<ClosedBy<T*, &::CoTaskMemFree>>;

}  // namespace win32
