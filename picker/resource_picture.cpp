#include "resource_picture.h"

#include "com_error.h"
#include "module_lifetime.h"
#include "unique_handle.h"

#include <olectl.h>

#include <cstring>

using Microsoft::WRL::ComPtr;

namespace tollen {

ComPtr<IPicture> LoadResourcePicture(const wchar_t* type, int id) {
    HRSRC found = ::FindResourceW(ThisModule(), MAKEINTRESOURCEW(id), type);
    if (!found) ThrowLastError();
    const DWORD size = ::SizeofResource(ThisModule(), found);
    const void* bytes = ::LockResource(::LoadResource(ThisModule(), found));
    if (!bytes || size == 0) ThrowLastError();

    UniqueGlobal copy(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!copy) ThrowHr(E_OUTOFMEMORY);
    std::memcpy(::GlobalLock(copy.get()), bytes, size);
    ::GlobalUnlock(copy.get());

    ComPtr<IStream> stream;
    ThrowIfFailed(::CreateStreamOnHGlobal(copy.get(), TRUE, &stream));
    copy.release();  // the stream frees it now
    ComPtr<IPicture> picture;
    ThrowIfFailed(::OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_PPV_ARGS(&picture)));
    return picture;
}

}  // namespace tollen
