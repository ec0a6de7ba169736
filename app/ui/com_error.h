#pragma once
// Failures of COM calls, described for the user.
#include <windows.h>
#include <exception>
#include <string>

// A failed COM call: its HRESULT and, when the callee supplied one, its own
// description (EXCEPINFO); otherwise the platform's description of the HRESULT.
// what() holds the same description in UTF-8, as Win32Error's does, so
// handlers that know only std::exception still report the right words.
class ComError : public std::exception {
public:
    explicit ComError(HRESULT hr, std::wstring description = {});

    HRESULT hr() const noexcept { return hr_; }
    const std::wstring& Describe() const noexcept { return description_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    HRESULT hr_;
    std::wstring description_;
    std::string what_;
};

// Throws ComError for a failing HRESULT; returns it (S_OK, S_FALSE) otherwise.
HRESULT ThrowIfFailed(HRESULT hr);
