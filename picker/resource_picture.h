// A picture (GIF, JPEG, BMP) kept as raw bytes in this file's resources,
// decoded by the system's picture loader.
#pragma once

#include <ocidl.h>
#include <wrl/client.h>

namespace tollen {

Microsoft::WRL::ComPtr<IPicture> LoadResourcePicture(const wchar_t* type, int id);

}  // namespace tollen
