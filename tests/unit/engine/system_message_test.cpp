// The one description of a failure code that the program and the control library share.
#include <gtest/gtest.h>
#include <windows.h>
#include "system_message.h"

namespace {

bool EndsInLineBreakOrSpace(const std::wstring& text) {
    return !text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ');
}

TEST(SystemMessage, AWin32CodeAndItsHresultReadTheSameWithoutTheLineEnd) {
    const std::wstring code = win32::SystemMessage(ERROR_ACCESS_DENIED);
    EXPECT_FALSE(code.empty());
    EXPECT_FALSE(EndsInLineBreakOrSpace(code));
    EXPECT_EQ(code.rfind(L"Error ", 0), std::wstring::npos) << "the system has a text for this code";
    EXPECT_EQ(win32::SystemMessage(static_cast<DWORD>(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED))), code);
}

TEST(SystemMessage, ACodeWithoutTextIsNamedByItsNumberAnHresultInHex) {
    EXPECT_EQ(win32::SystemMessage(0xFFFE), L"Error 65534.");
    EXPECT_EQ(win32::SystemMessage(0x8004A5A5), L"Error 0x8004A5A5.");
}

}  // namespace
