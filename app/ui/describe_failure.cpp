#include "describe_failure.h"
#include <windows.h>
#include <new>
#include "error.h"
#include "system_message.h"

namespace {

// what() of this program's own exceptions is UTF-8; text of other origin that
// is not valid UTF-8 is read in the ANSI code page.
std::wstring WhatText(const char* what) {
    for (UINT codePage : {static_cast<UINT>(CP_UTF8), static_cast<UINT>(CP_ACP)}) {
        const DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
        const int length = MultiByteToWideChar(codePage, flags, what, -1, nullptr, 0);
        if (length <= 0) continue;
        std::wstring text(static_cast<size_t>(length), L'\0');
        MultiByteToWideChar(codePage, flags, what, -1, text.data(), length);
        text.resize(static_cast<size_t>(length) - 1);
        return text;
    }
    return {};
}

}  // namespace

std::wstring DescribeFailure(const std::exception& failure) {
    if (const auto* error = dynamic_cast<const win32::Error*>(&failure)) return error->Describe();
    if (dynamic_cast<const std::bad_alloc*>(&failure)) return win32::SystemMessage(ERROR_NOT_ENOUGH_MEMORY);
    const std::wstring text = WhatText(failure.what());
    return text.empty() ? L"Unexpected failure." : text;
}
