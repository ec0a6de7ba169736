#include "error.h"

#include <utility>

#include "last_error.h"
#include "system_message.h"
#include "text_conversion.h"

namespace win32 {

Error::Error(HRESULT hr, std::wstring subject) : Error(hr, std::move(subject), {}) {}

Error::Error(HRESULT hr, std::wstring subject, std::wstring description)
    : hr_(hr), subject_(std::move(subject)), description_(std::move(description)), what_(Utf8OrEmpty(Describe())) {}

Error Error::FromWin32(DWORD code, std::wstring subject) { return Error(HRESULT_FROM_WIN32(code), std::move(subject)); }

Error Error::Described(HRESULT hr, std::wstring description) { return Error(hr, {}, std::move(description)); }

DWORD Error::Win32Code() const noexcept {
    return HRESULT_FACILITY(hr_) == FACILITY_WIN32 ? HRESULT_CODE(hr_) : ERROR_SUCCESS;
}

std::wstring Error::Describe() const {
    // A Win32 code is described as itself, in the words its own code has.
    std::wstring text = !description_.empty()                  ? description_
                        : HRESULT_FACILITY(hr_) == FACILITY_WIN32 ? SystemMessage(Win32Code())
                                                                  : SystemMessage(static_cast<DWORD>(hr_));
    if (!subject_.empty()) text += L"\r\n" + subject_;
    return text;
}

// A call that failed without setting a code is still a failure (E_FAIL), never
// described as "completed successfully".
void ThrowLastError(const std::wstring& subject) { throw Error(LastErrorHr(), subject); }

HRESULT ThrowIfFailed(HRESULT hr) {
    if (FAILED(hr)) throw Error(hr);
    return hr;
}

}  // namespace win32
