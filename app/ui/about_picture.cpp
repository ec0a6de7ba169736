#include "about_parts.h"

#include <cstring>
#include "com_error.h"
#include "win32_error.h"

namespace about {

Microsoft::WRL::ComPtr<IPicture> LoadPictureResource(HMODULE module, int id) {
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
    if (!found) modMain::ThrowLastError(L"");
    const DWORD size = ::SizeofResource(module, found);
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes || size == 0) modMain::ThrowLastError(L"");

    // The decoder reads a stream; resources are read-only, so it gets a copy
    // that the stream owns and frees.
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) modMain::ThrowLastError(L"");
    std::memcpy(::GlobalLock(copy), bytes, size);
    ::GlobalUnlock(copy);
    Microsoft::WRL::ComPtr<IStream> stream;
    HRESULT hr = ::CreateStreamOnHGlobal(copy, TRUE, &stream);
    if (FAILED(hr)) {
        ::GlobalFree(copy);
        throw ComError(hr);
    }

    Microsoft::WRL::ComPtr<IPicture> picture;
    ThrowIfFailed(::OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                                   reinterpret_cast<void**>(picture.GetAddressOf())));
    return picture;
}

}  // namespace about
