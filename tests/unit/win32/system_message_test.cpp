// The one description of a failure, shared by the program and the control library.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "error.h"
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

// The one failure type: whatever the code came as, the user reads the platform's words
// for it, then what it happened to on a line of its own.
TEST(Error, AWin32CodeAndItsHresultAreDescribedAsTheSystemSays) {
    const win32::Error fromCode = win32::Error::FromWin32(ERROR_ACCESS_DENIED);
    const win32::Error fromHr(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
    EXPECT_EQ(fromCode.Hr(), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
    EXPECT_EQ(fromCode.Win32Code(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(fromCode.Describe(), win32::SystemMessage(ERROR_ACCESS_DENIED));
    EXPECT_EQ(fromHr.Describe(), fromCode.Describe());

    const win32::Error com(CO_E_CLASSSTRING);
    EXPECT_EQ(com.Win32Code(), static_cast<DWORD>(ERROR_SUCCESS)) << "no Win32 code inside";
    EXPECT_EQ(com.Describe(), win32::SystemMessage(static_cast<DWORD>(CO_E_CLASSSTRING)));
}

// (what() in UTF-8 and a callee's own words: FailureWords in the host tests.)
TEST(Error, TheSubjectStandsOnItsOwnLineAndACalleeWithoutWordsGetsThePlatforms) {
    const std::wstring folder = L"C:\\old builds";
    const win32::Error about = win32::Error::FromWin32(ERROR_PATH_NOT_FOUND, folder);
    EXPECT_EQ(about.Subject(), folder);
    EXPECT_EQ(about.Describe(), win32::SystemMessage(ERROR_PATH_NOT_FOUND) + L"\r\n" + folder);
    EXPECT_EQ(win32::Error::Described(E_UNEXPECTED, L"").Describe(), win32::SystemMessage(static_cast<DWORD>(E_UNEXPECTED)));
}

TEST(Error, ACallThatFailedWithoutACodeIsStillAFailure) {
    ::SetLastError(ERROR_SUCCESS);
    try {
        win32::ThrowLastError(L"x");
        ADD_FAILURE() << "nothing thrown";
    } catch (const win32::Error& error) {
        EXPECT_TRUE(FAILED(error.Hr()));
        EXPECT_EQ(error.Describe(), win32::SystemMessage(static_cast<DWORD>(E_FAIL)) + L"\r\nx");
    }
    EXPECT_EQ(win32::ThrowIfFailed(S_FALSE), S_FALSE);
    EXPECT_THROW(win32::ThrowIfFailed(E_POINTER), win32::Error);
}

}  // namespace
