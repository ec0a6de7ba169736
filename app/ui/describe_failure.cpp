#include "describe_failure.h"
#include <windows.h>
#include "com_error.h"
#include "win32_error.h"

std::wstring DescribeFailure(const std::exception& failure) {
    if (const auto* error = dynamic_cast<const modMain::Win32Error*>(&failure)) return error->Describe();
    if (const auto* error = dynamic_cast<const ComError*>(&failure)) return error->Describe();
    const char* what = failure.what();
    const int length = MultiByteToWideChar(CP_ACP, 0, what, -1, nullptr, 0);
    if (length <= 1) return L"Unexpected failure.";
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, what, -1, text.data(), length);
    text.resize(static_cast<size_t>(length) - 1);
    return text;
}
