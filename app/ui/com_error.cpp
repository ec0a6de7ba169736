#include "com_error.h"

#include <utility>
#include "win32_error.h"

ComError::ComError(HRESULT hr, std::wstring description)
    : hr_(hr),
      description_(description.empty() ? win32::SystemMessage(static_cast<DWORD>(hr)) : std::move(description)),
      what_(modMain::Utf8(description_)) {}

HRESULT ThrowIfFailed(HRESULT hr) {
    if (FAILED(hr)) throw ComError(hr);
    return hr;
}
