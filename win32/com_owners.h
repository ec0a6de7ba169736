#pragma once
// Owners of the memory COM hands across: BSTRs, VARIANTs and CoTaskMem blocks.
// Running out of memory is std::bad_alloc, as for any other allocation.
#include <objbase.h>
#include <oleauto.h>

#include <memory>
#include <new>
#include <string>
#include <utility>

namespace win32 {

class Bstr {
public:
    Bstr() noexcept = default;
    explicit Bstr(const std::wstring& text) : value_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
        if (!value_) throw std::bad_alloc();
    }
    Bstr(Bstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept {
        std::swap(value_, other.value_);
        return *this;
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { ::SysFreeString(value_); }

    BSTR get() const noexcept { return value_; }
    BSTR release() noexcept { return std::exchange(value_, nullptr); }
    BSTR* put() noexcept {
        ::SysFreeString(std::exchange(value_, nullptr));
        return &value_;
    }
    // A BSTR may hold NULs and a null BSTR is "": take its length, not a C string.
    static std::wstring Text(BSTR value) { return value ? std::wstring(value, ::SysStringLen(value)) : std::wstring(); }

private:
    BSTR value_ = nullptr;
};

// A VARIANT that clears itself.
struct Variant : VARIANT {
    Variant() noexcept { ::VariantInit(this); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { ::VariantClear(this); }
};

struct CoTaskMemDeleter {
    void operator()(void* block) const noexcept { ::CoTaskMemFree(block); }
};
// A block the callee allocated with CoTaskMemAlloc (an ITEMIDLIST, a string).
template <class T>
using CoTaskMem = std::unique_ptr<T, CoTaskMemDeleter>;

}  // namespace win32
