#pragma once
// Pathwick1 as the main window sees it: its members reached only through
// IDispatch::Invoke by the fixed dispatch identifiers of the control library.
// No vtable calls and no name look-ups, so any build of the control that keeps
// those identifiers serves.
#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>
#include <string>
#include "error.h"

class PathwickClient {
public:
    explicit PathwickClient(Microsoft::WRL::ComPtr<IDispatch> control);

    // Every member throws win32::Error with the control's HRESULT when the call fails.
    void SetPrompt(const std::wstring& prompt);
    void SetInitial(const std::wstring& directory);
    // Shows the folder dialog modally; true when a folder was confirmed.
    bool Browse();
    // Whether the last browse ended without a choice; Null and Empty count as false.
    bool Canceled();
    // The directory chosen in the last browse that was not cancelled, as text.
    std::wstring Selected();

private:
    void PutText(DISPID member, const std::wstring& text);
    void Call(DISPID member, WORD flags, DISPPARAMS& params, VARIANT* result);

    Microsoft::WRL::ComPtr<IDispatch> control_;
};
