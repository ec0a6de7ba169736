#include "type_library.h"

#include "com_boundary.h"
#include "module_lifetime.h"

#include <Tollen_h.h>

#include <mutex>

using Microsoft::WRL::ComPtr;

namespace tollen {
namespace {
std::mutex cacheLock;
ComPtr<ITypeLib> cachedLibrary;
}  // namespace

ComPtr<ITypeLib> TollenTypeLibrary() {
    std::lock_guard<std::mutex> guard(cacheLock);
    if (!cachedLibrary) {
        const std::wstring path = ThisModulePath();
        win32::ThrowIfFailed(::LoadTypeLibEx(path.c_str(), REGKIND_NONE, &cachedLibrary));
    }
    return cachedLibrary;
}

ComPtr<ITypeInfo> TypeInfoOf(REFGUID guid) {
    ComPtr<ITypeInfo> info;
    win32::ThrowIfFailed(TollenTypeLibrary()->GetTypeInfoOfGuid(guid, &info));
    return info;
}

ComPtr<ITypeInfo> PathwickInterfaceTypeInfo() {
    ComPtr<ITypeInfo> info = TypeInfoOf(IID__Pathwick);
    TYPEATTR* attributes = nullptr;
    win32::ThrowIfFailed(info->GetTypeAttr(&attributes));
    const TYPEKIND kind = attributes->typekind;
    info->ReleaseTypeAttr(attributes);
    if (kind == TKIND_INTERFACE) return info;
    // A dual interface is found as its dispinterface; -1 leads to the vtable half.
    HREFTYPE vtableHalf = 0;
    win32::ThrowIfFailed(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableHalf));
    ComPtr<ITypeInfo> interfaceInfo;
    win32::ThrowIfFailed(info->GetRefTypeInfo(vtableHalf, &interfaceInfo));
    return interfaceInfo;
}

void ReleaseTypeLibrary() noexcept {
    std::lock_guard<std::mutex> guard(cacheLock);
    cachedLibrary.Reset();
}

}  // namespace tollen
