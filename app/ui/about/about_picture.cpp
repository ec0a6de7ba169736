#include "about/about_parts.h"

#include "error.h"
#include "resource_picture.h"

namespace about {

Microsoft::WRL::ComPtr<IPicture> LoadPictureResource(HMODULE module, int id) {
    Microsoft::WRL::ComPtr<IPicture> picture;
    win32::ThrowIfFailed(win32::LoadResourcePicture(module, RT_RCDATA, id, picture));
    return picture;
}

}  // namespace about
