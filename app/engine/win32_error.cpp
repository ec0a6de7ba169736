#include "win32_error.h"

namespace modMain {
Win32Error::Win32Error(DWORD code, std::wstring subject)
    : code_(code), subject_(std::move(subject)), what_(Utf8(Describe())) {}

std::wstring Win32Error::Describe() const {
    std::wstring text = SystemMessage(code_);
    if (!subject_.empty()) text += L"\r\n" + subject_;
    return text;
}

const char* Win32Error::what() const noexcept { return what_.c_str(); }

void ThrowLastError(const std::wstring& subject) {
    throw Win32Error(::GetLastError(), subject);
}

}  // namespace modMain
