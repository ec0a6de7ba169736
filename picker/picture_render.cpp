#include "picture_render.h"

namespace tollen {

HRESULT RenderPicture(IPicture* picture, HDC dc, const RECT& area) noexcept {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    HRESULT hr = picture->get_Width(&width);
    if (SUCCEEDED(hr)) hr = picture->get_Height(&height);
    // The source rectangle runs bottom-up in HIMETRIC.
    if (SUCCEEDED(hr))
        hr = picture->Render(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, 0, height,
                             width, -height, nullptr);
    return hr;
}

}  // namespace tollen
