// An owned BSTR.
#pragma once

#include "com_error.h"

#include <oleauto.h>

#include <string>
#include <utility>

namespace tollen {

class Bstr {
public:
    Bstr() noexcept = default;
    explicit Bstr(const std::wstring& text)
        : value_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
        if (!value_) ThrowHr(E_OUTOFMEMORY);
    }
    Bstr(Bstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept {
        std::swap(value_, other.value_);
        return *this;
    }
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

}  // namespace tollen
