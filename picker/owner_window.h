// Finding the window that owns the folder dialog: the form the control sits
// on, as the host gives it, and that form's "hwnd", read by late binding.
#pragma once

#include <oaidl.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <string>

namespace tollen {

// Reads a property by name at call time: GetIDsOfNames, then DISPATCH_PROPERTYGET
// without arguments. Throws the object's error (DISP_E_UNKNOWNNAME for a missing name).
void GetPropertyByName(IDispatch* object, const std::wstring& name, VARIANT* value);

// The extended control's "Parent" (IOleControlSite::GetExtendedControl); where
// the site has no extender, the container (IOleClientSite::GetContainer) as IDispatch.
Microsoft::WRL::ComPtr<IDispatch> ParentObjectOf(IOleClientSite* site);

// The parent's "hwnd" as a 32-bit integer window handle.
HWND OwnerWindowOf(IDispatch* parent);

}  // namespace tollen
