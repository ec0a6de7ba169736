#pragma once
// The one failure type of the program and the control library: an HRESULT (a
// Win32 error code travels as HRESULT_FROM_WIN32 and can be read back), what it
// happened to, and the callee's own words when a COM callee supplied some.
// It is described in the platform's words (FormatMessage).
#include <windows.h>

#include <exception>
#include <string>

namespace win32 {

class Error : public std::exception {
public:
    // A failed call's HRESULT, about subject (a file or directory; may be empty).
    explicit Error(HRESULT hr, std::wstring subject = {});
    // A Win32 error code (GetLastError's kind), about subject.
    static Error FromWin32(DWORD code, std::wstring subject = {});
    // A failed COM call whose callee described the failure itself (EXCEPINFO);
    // an empty description falls back to the platform's.
    static Error Described(HRESULT hr, std::wstring description);

    HRESULT Hr() const noexcept { return hr_; }
    // The Win32 code inside the HRESULT (ERROR_SUCCESS for an HRESULT that holds none).
    DWORD Win32Code() const noexcept;
    const std::wstring& Subject() const noexcept { return subject_; }
    // The same failure, in the same words, about another subject.
    Error About(std::wstring subject) const { return Error(hr_, std::move(subject), description_); }
    // The callee's description, or the platform's text for the code, followed on
    // its own line by the subject when there is one.
    std::wstring Describe() const;
    // The same text in UTF-8: handlers that know only std::exception still
    // report the right words.
    const char* what() const noexcept override { return what_.c_str(); }

private:
    Error(HRESULT hr, std::wstring subject, std::wstring description);

    HRESULT hr_;
    std::wstring subject_;
    std::wstring description_;
    std::string what_;
};

// Throws an Error for GetLastError() about subject.
[[noreturn]] void ThrowLastError(const std::wstring& subject = {});
// Throws an Error for a failing HRESULT; returns it (S_OK, S_FALSE) otherwise.
HRESULT ThrowIfFailed(HRESULT hr);

}  // namespace win32
