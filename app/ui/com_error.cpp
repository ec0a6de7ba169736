#include "com_error.h"

#include <cwchar>
#include <utility>
#include "win32_error.h"

namespace {

// The system's text for the HRESULT; many COM codes have none, and then the
// code itself is the description (in hex, as HRESULTs are written).
std::wstring DescribeHresult(HRESULT hr) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", buffer ? length : 0);
    if (buffer) ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (!text.empty()) return text;
    wchar_t code[32];
    std::swprintf(code, 32, L"Error 0x%08lX.", static_cast<unsigned long>(hr));
    return code;
}

}  // namespace

ComError::ComError(HRESULT hr, std::wstring description)
    : hr_(hr),
      description_(description.empty() ? DescribeHresult(hr) : std::move(description)),
      what_(modMain::Utf8(description_)) {}

HRESULT ThrowIfFailed(HRESULT hr) {
    if (FAILED(hr)) throw ComError(hr);
    return hr;
}
