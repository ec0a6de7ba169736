#pragma once
// Every harness operation that cannot do what it was asked throws HarnessError with a
// message that says what was awaited or attempted; GoogleTest reports it as the failure.
#include <stdexcept>
#include <string>
#include <string_view>

namespace e2e {

struct HarnessError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Text in a code page (CP_UTF8 for messages, CP_ACP for what the program reads and writes).
std::string Encode(std::wstring_view text, unsigned codePage);
std::wstring Decode(std::string_view bytes, unsigned codePage);
std::string Utf8(std::wstring_view text);
std::wstring Wide(std::string_view utf8);

// Throws HarnessError; `what` is UTF-8, `detail` is appended with the last Win32 error text
// when withLastError is set.
[[noreturn]] void Fail(const std::string& what, bool withLastError = false);

}  // namespace e2e
