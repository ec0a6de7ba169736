// Failures inside the library travel as win32::Error and leave every COM method
// as an HRESULT with error information attached; nothing escapes into a host.
#pragma once

#include <windows.h>

#include "error.h"

namespace tollen {

// The HRESULT of the exception being handled: a win32::Error's own,
// E_OUTOFMEMORY for std::bad_alloc, E_UNEXPECTED for anything else. Call only
// inside a catch.
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
