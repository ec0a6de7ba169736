// Failures inside the library travel as ComError and leave every COM method as
// an HRESULT with error information attached; nothing escapes into a host.
#pragma once

#include <windows.h>

#include <exception>
#include <new>
#include <string>

#include "last_error.h"
#include "system_message.h"

namespace tollen {

class ComError : public std::exception {
public:
    explicit ComError(HRESULT hr) noexcept : hr_(hr) {}
    HRESULT hr() const noexcept { return hr_; }
    const char* what() const noexcept override { return "COM call failed"; }

private:
    HRESULT hr_;
};

[[noreturn]] void ThrowHr(HRESULT hr);
inline void ThrowIfFailed(HRESULT hr) {
    if (FAILED(hr)) ThrowHr(hr);
}
using win32::LastErrorHr;
[[noreturn]] void ThrowLastError();

using win32::SystemMessage;

// The HRESULT of the exception being handled: a ComError's own, E_OUTOFMEMORY
// for std::bad_alloc, E_UNEXPECTED for anything else. Call only inside a catch.
HRESULT CurrentExceptionHr() noexcept;

// Attaches error information (source "Tollen.Pathwick", the system's
// description) for the calling thread and returns hr unchanged.
HRESULT ReportError(HRESULT hr, REFIID iid) noexcept;

// The boundary of a COM method: runs body, which returns an HRESULT or throws,
// and turns every failure into an HRESULT with error information.
template <class Body>
HRESULT Guarded(REFIID iid, Body&& body) noexcept {
    try {
        const HRESULT hr = body();
        return FAILED(hr) ? ReportError(hr, iid) : hr;
    } catch (...) {
        return ReportError(CurrentExceptionHr(), iid);
    }
}

}  // namespace tollen
