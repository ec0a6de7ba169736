#pragma once
// A picture (GIF, JPEG, BMP) kept as raw bytes in a module's resources, decoded
// by the system's picture loader.
#include <ocidl.h>
#include <wrl/client.h>

namespace win32 {

// S_OK and the picture, or the failing call's HRESULT (a missing resource is
// HRESULT_FROM_WIN32(ERROR_RESOURCE_TYPE_NOT_FOUND) or ..._NAME_NOT_FOUND).
HRESULT LoadResourcePicture(HMODULE module, const wchar_t* type, int id, Microsoft::WRL::ComPtr<IPicture>& picture);

}  // namespace win32
