// A VARIANT that clears itself.
#pragma once

#include <oleauto.h>

namespace tollen {

struct Variant : VARIANT {
    Variant() noexcept { ::VariantInit(this); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { ::VariantClear(this); }
};

}  // namespace tollen
