#include "com_error.h"

#include <cwchar>
#include <utility>
#include "ansi_text.h"
#include "win32_error.h"

namespace {

std::wstring DescribeHresult(HRESULT hr) {
    std::wstring text = modMain::SystemMessage(static_cast<DWORD>(hr));
    if (!text.empty()) return text;
    wchar_t code[32];
    std::swprintf(code, 32, L"Error 0x%08lX", static_cast<unsigned long>(hr));
    return code;
}

}  // namespace

ComError::ComError(HRESULT hr, std::wstring description)
    : hr_(hr),
      description_(description.empty() ? DescribeHresult(hr) : std::move(description)),
      what_(ToAnsi(description_)) {}

HRESULT ThrowIfFailed(HRESULT hr) {
    if (FAILED(hr)) throw ComError(hr);
    return hr;
}
