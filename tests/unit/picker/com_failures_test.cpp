// Failures of the library's own helpers reach the COM caller as the HRESULT
// they stand for, never as a guess.
#include "com_error.h"
#include "shell_open.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <new>
#include <stdexcept>
#include <string>

namespace {

template <class Exception>
HRESULT HrOf(const Exception& exception) {
    try {
        throw exception;
    } catch (...) {
        return tollen::CurrentExceptionHr();
    }
}

TEST(ComFailures, AnExceptionIsOutOfMemoryOnlyWhenMemoryRanOut) {
    EXPECT_EQ(E_OUTOFMEMORY, HrOf(std::bad_alloc()));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), HrOf(tollen::ComError(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED))));
    EXPECT_EQ(E_UNEXPECTED, HrOf(std::runtime_error("no such state")));
    EXPECT_EQ(E_UNEXPECTED, HrOf(std::length_error("too long")));
}

TEST(ShellOpen, TheShellsAnswerBecomesTheHresultOfItsError) {
    EXPECT_EQ(S_OK, tollen::ShellExecuteResult(33));
    EXPECT_EQ(E_OUTOFMEMORY, tollen::ShellExecuteResult(0));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), tollen::ShellExecuteResult(SE_ERR_FNF));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_NO_ASSOCIATION), tollen::ShellExecuteResult(SE_ERR_NOASSOC));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION), tollen::ShellExecuteResult(SE_ERR_SHARE));

    char temp[MAX_PATH];
    ASSERT_GT(::GetTempPathA(MAX_PATH, temp), 0u);
    const std::string missing = std::string(temp) + "tollen-no-such-document.txt";
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), tollen::OpenWithShell(nullptr, missing.c_str()));
}

}  // namespace
