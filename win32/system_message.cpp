#include "system_message.h"

#include <cwchar>
#include <memory>

namespace win32 {

namespace {

struct LocalFreeDeleter {
    void operator()(wchar_t* buffer) const noexcept { ::LocalFree(buffer); }
};

}  // namespace

std::wstring SystemMessage(DWORD code) {
    wchar_t* raw = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<wchar_t*>(&raw), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalFreeDeleter> buffer(raw);
    std::wstring text(buffer && length ? std::wstring(buffer.get(), length) : std::wstring());
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    if (!text.empty()) return text;
    wchar_t fallback[32];
    if (code > 0xFFFF)  // an HRESULT, written in hex as HRESULTs are
        std::swprintf(fallback, 32, L"Error 0x%08lX.", static_cast<unsigned long>(code));
    else
        std::swprintf(fallback, 32, L"Error %lu.", static_cast<unsigned long>(code));
    return fallback;
}

}  // namespace win32
