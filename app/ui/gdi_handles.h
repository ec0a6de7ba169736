#pragma once
// Owners of GDI objects.
#include <windows.h>
#include "unique_handle.h"

struct GdiObjectTraits {
    using Type = HGDIOBJ;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::DeleteObject(h); }
};

using GdiObject = UniqueHandle<GdiObjectTraits>;
inline HFONT AsFont(const GdiObject& font) { return static_cast<HFONT>(font.get()); }
