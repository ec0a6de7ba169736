#include "resource_picture.h"

#include <olectl.h>

#include <cstring>

#include "handle_owners.h"
#include "last_error.h"

namespace win32 {

HRESULT LoadResourcePicture(HMODULE module, const wchar_t* type, int id, Microsoft::WRL::ComPtr<IPicture>& picture) {
    picture.Reset();
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!found) return LastErrorHr();
    const DWORD size = ::SizeofResource(module, found);
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return LastErrorHr();

    // The decoder reads a stream; resources are read-only, so it gets a copy
    // that the stream owns and frees once it has it.
    GlobalMemory copy(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!copy) return E_OUTOFMEMORY;
    void* target = ::GlobalLock(copy.get());
    if (!target) return LastErrorHr();
    std::memcpy(target, bytes, size);
    ::GlobalUnlock(copy.get());
    Microsoft::WRL::ComPtr<IStream> stream;
    const HRESULT created = ::CreateStreamOnHGlobal(copy.get(), TRUE, &stream);
    if (FAILED(created)) return created;
    copy.release();
    return ::OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                            reinterpret_cast<void**>(picture.ReleaseAndGetAddressOf()));
}

}  // namespace win32
