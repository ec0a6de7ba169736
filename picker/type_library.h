// Tollen's type library, loaded once from this file's own TYPELIB resource
// (never from the registry), and the type descriptions the objects serve.
#pragma once

#include <oaidl.h>
#include <wrl/client.h>

namespace tollen {

Microsoft::WRL::ComPtr<ITypeLib> TollenTypeLibrary();
Microsoft::WRL::ComPtr<ITypeInfo> TypeInfoOf(REFGUID guid);
// The TKIND_INTERFACE half of the dual _Pathwick, which DispInvoke calls through.
Microsoft::WRL::ComPtr<ITypeInfo> PathwickInterfaceTypeInfo();
// Drops the cached library once nothing of the module is alive.
void ReleaseTypeLibrary() noexcept;

}  // namespace tollen
