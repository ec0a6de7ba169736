#include "com_boundary.h"

#include "system_message.h"

#include <oleauto.h>
#include <wrl/client.h>

#include <new>
#include <string>

using Microsoft::WRL::ComPtr;

namespace tollen {

HRESULT CurrentExceptionHr() noexcept {
    try {
        throw;
    } catch (const win32::Error& error) {
        return error.Hr();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT ReportError(HRESULT hr, REFIID iid) noexcept {
    try {
        ComPtr<ICreateErrorInfo> create;
        if (FAILED(::CreateErrorInfo(&create))) return hr;
        create->SetGUID(iid);
        create->SetSource(const_cast<LPOLESTR>(L"Tollen.Pathwick"));
        const std::wstring description = win32::SystemMessage(hr);
        create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
        ComPtr<IErrorInfo> info;
        if (SUCCEEDED(create.As(&info))) ::SetErrorInfo(0, info.Get());
    } catch (...) {
        // Out of memory while describing the error: the HRESULT still goes back.
    }
    return hr;
}

}  // namespace tollen
