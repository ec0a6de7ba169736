// Drawing an OLE picture into a rectangle of a device context.
#pragma once

#include <ocidl.h>

namespace tollen {

// Draws the picture stretched over the rectangle. The first failing call's
// HRESULT (its size or the drawing itself), S_OK when it was drawn.
HRESULT RenderPicture(IPicture* picture, HDC dc, const RECT& area) noexcept;

}  // namespace tollen
