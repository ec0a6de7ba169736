#pragma once
// Failures carry the platform's error code and what they happened to; they are
// described in the platform's own words (FormatMessage).
#include <windows.h>
#include <exception>
#include <string>
#include "system_message.h"
#include "text_conversion.h"

namespace modMain {

using win32::SystemMessage;
// Exceptions carry their text in what() as UTF-8.
using win32::Utf8;


class Win32Error : public std::exception {
public:
    Win32Error(DWORD code, std::wstring subject);

    DWORD code() const noexcept { return code_; }
    // The file or directory the failure is about (may be empty).
    const std::wstring& subject() const noexcept { return subject_; }
    // The system's description followed, on its own line, by the subject.
    std::wstring Describe() const;
    const char* what() const noexcept override;

private:
    DWORD code_;
    std::wstring subject_;
    std::string what_;
};

// Throws a Win32Error for GetLastError() about the given subject.
[[noreturn]] void ThrowLastError(const std::wstring& subject);

}  // namespace modMain
