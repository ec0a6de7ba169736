// A picture (GIF, JPEG, BMP) kept as raw bytes in this file's resources,
// decoded by the system's picture loader.
#pragma once

#include <ocidl.h>
#include <wrl/client.h>

namespace tollen {

Microsoft::WRL::ComPtr<IPicture> LoadResourcePicture(const wchar_t* type, int id);

// Draws the picture stretched over the rectangle; the first failing call's HRESULT.
HRESULT RenderPicture(IPicture* picture, HDC dc, const RECT& area) noexcept;

}  // namespace tollen
