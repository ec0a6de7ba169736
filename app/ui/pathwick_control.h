#pragma once
// Pathwick1 as the main window sees it: its members reached only through
// IDispatch::Invoke by the fixed dispatch identifiers of the control library.
// No vtable calls and no name look-ups, so any build of the control that keeps
// those identifiers serves.
#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>
#include <exception>
#include <string>

// A failed COM call: its HRESULT and, when the callee supplied one, its own
// description (EXCEPINFO); otherwise the platform's description of the HRESULT.
class ComError : public std::exception {
public:
    explicit ComError(HRESULT hr, std::wstring description = {});

    HRESULT hr() const noexcept { return hr_; }
    const std::wstring& Describe() const noexcept { return description_; }
    const char* what() const noexcept override { return "COM call failed"; }

private:
    HRESULT hr_;
    std::wstring description_;
};

// Throws ComError for a failing HRESULT; returns it (S_OK, S_FALSE) otherwise.
HRESULT ThrowIfFailed(HRESULT hr);

// A VARIANT that clears itself.
struct OwnedVariant {
    VARIANT value;
    OwnedVariant() noexcept { ::VariantInit(&value); }
    ~OwnedVariant() { ::VariantClear(&value); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;
};

class PathwickControl {
public:
    explicit PathwickControl(Microsoft::WRL::ComPtr<IDispatch> control);

    // Every member throws ComError with the control's HRESULT when the call fails.
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
