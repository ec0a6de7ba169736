#pragma once
// The client site that the main window gives the control it hosts.
#include <windows.h>
#include <ole2.h>
#include <wrl/client.h>

// What a control of ours finds through its site: IOleClientSite, IOleControlSite
// (whose extended control has a "Parent", the form object), IDispatch with the
// ambient properties, and GetContainer giving the form object too. The form
// object answers the late-bound member "hwnd" with the form's window handle.
Microsoft::WRL::ComPtr<IOleClientSite> CreateControlSite(HWND form);
