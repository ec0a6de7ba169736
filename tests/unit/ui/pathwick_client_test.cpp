// The typed wrapper reaches Pathwick only by its fixed dispatch identifiers,
// with the calling conventions automation servers expect, and reports failures
// with the control's own words when it gives any.
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>
#include <Tollen_h.h>
#include "fake_dispatch.h"
#include "describe_failure.h"
#include "picker_host/pathwick_client.h"
#include "error.h"
#include "text_conversion.h"
#include "system_message.h"

namespace {

class PathwickClientTest : public ::testing::Test {
protected:
    FakeDispatch fake;
    PathwickClient control{Microsoft::WRL::ComPtr<IDispatch>(&fake)};
};

TEST_F(PathwickClientTest, TextPropertiesArePutAsOneNamedBstrArgument) {
    control.SetPrompt(L"Choose:");
    control.SetInitial(L"  C:\\odd path ");

    ASSERT_EQ(fake.calls.size(), 2u);
    const DISPID members[] = {DISPID_PATHWICK_PROMPT, DISPID_PATHWICK_INITIAL};
    const wchar_t* texts[] = {L"Choose:", L"  C:\\odd path "};
    for (int i = 0; i < 2; ++i) {
        const RecordedCall& call = fake.calls[i];
        EXPECT_EQ(call.member, members[i]);
        EXPECT_EQ(call.flags, DISPATCH_PROPERTYPUT);
        EXPECT_EQ(call.arguments, 1u);
        EXPECT_EQ(call.namedArguments, 1u);
        EXPECT_EQ(call.firstNamed, DISPID_PROPERTYPUT);
        EXPECT_EQ(call.argumentType, VT_BSTR);
        EXPECT_EQ(call.argumentText, texts[i]);  // passed on unchanged, spaces and all
    }
}

TEST_F(PathwickClientTest, BrowseIsAMethodAndTheStateIsRead) {
    fake.AnswerBool(DISPID_PATHWICK_BROWSE, true);
    fake.AnswerBool(DISPID_PATHWICK_CANCELED, false);
    fake.AnswerText(DISPID_PATHWICK_SELECTED, L"C:\\windows");

    EXPECT_TRUE(control.Browse());
    EXPECT_FALSE(control.Canceled());
    EXPECT_EQ(control.Selected(), L"C:\\windows");

    ASSERT_EQ(fake.calls.size(), 3u);
    EXPECT_EQ(fake.calls[0].member, DISPID_PATHWICK_BROWSE);
    EXPECT_EQ(fake.calls[0].flags, DISPATCH_METHOD);
    EXPECT_EQ(fake.calls[0].arguments, 0u);
    for (int i = 1; i < 3; ++i) {
        EXPECT_EQ(fake.calls[i].flags, DISPATCH_PROPERTYGET);
        EXPECT_EQ(fake.calls[i].arguments, 0u);
    }
    EXPECT_EQ(fake.calls[1].member, DISPID_PATHWICK_CANCELED);
    EXPECT_EQ(fake.calls[2].member, DISPID_PATHWICK_SELECTED);
}

TEST_F(PathwickClientTest, CanceledTakesNullAndEmptyAsFalseAndCoercesOtherValues) {
    fake.AnswerType(DISPID_PATHWICK_CANCELED, VT_NULL);
    EXPECT_FALSE(control.Canceled());
    fake.AnswerType(DISPID_PATHWICK_CANCELED, VT_EMPTY);
    EXPECT_FALSE(control.Canceled());

    VARIANT minusOne;
    minusOne.vt = VT_I2;
    minusOne.iVal = -1;
    fake.Answer(DISPID_PATHWICK_CANCELED, minusOne);
    EXPECT_TRUE(control.Canceled());

    fake.AnswerText(DISPID_PATHWICK_CANCELED, L"not a truth value");
    try {
        control.Canceled();
        FAIL() << "a text that is no Boolean was taken for one";
    } catch (const win32::Error& error) {
        EXPECT_EQ(error.Hr(), DISP_E_TYPEMISMATCH);
    }
}

TEST_F(PathwickClientTest, SelectedKeepsEmbeddedCharactersAndConvertsNumbers) {
    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = ::SysAllocStringLen(L"D:\\a b\\", 7);
    fake.Answer(DISPID_PATHWICK_SELECTED, text);
    EXPECT_EQ(control.Selected(), L"D:\\a b\\");

    VARIANT number;
    number.vt = VT_I4;
    number.lVal = 42;
    fake.Answer(DISPID_PATHWICK_SELECTED, number);
    EXPECT_EQ(control.Selected(), L"42");
}

TEST_F(PathwickClientTest, FailuresCarryTheHresultAndTheBestDescription) {
    fake.Fail(DISPID_PATHWICK_PROMPT, E_ACCESSDENIED);
    try {
        control.SetPrompt(L"x");
        FAIL() << "the failure was swallowed";
    } catch (const win32::Error& error) {
        EXPECT_EQ(error.Hr(), E_ACCESSDENIED);
        EXPECT_FALSE(error.Describe().empty());  // the platform's own words
    }

    fake.Raise(DISPID_PATHWICK_BROWSE, E_UNEXPECTED, L"The form has no hwnd.");
    try {
        control.Browse();
        FAIL() << "the control's exception was swallowed";
    } catch (const win32::Error& error) {
        EXPECT_EQ(error.Hr(), E_UNEXPECTED);
        EXPECT_EQ(error.Describe(), L"The form has no hwnd.");
    }

    // An exception without a description still says something.
    fake.Raise(DISPID_PATHWICK_CANCELED, E_OUTOFMEMORY, nullptr);
    try {
        control.Canceled();
        FAIL();
    } catch (const win32::Error& error) {
        EXPECT_EQ(error.Hr(), E_OUTOFMEMORY);
        EXPECT_FALSE(error.Describe().empty());
    }
}

// A handler that knows only std::exception reads both error kinds' what() the
// same way, and loses no character of a name outside the ANSI code page.
TEST(FailureWords, BothErrorKindsCarryTheirWordsInUtf8AndDescribeAlike) {
    const std::wstring name = L"C:\\\u0416\u4e2d\u00e9";
    const win32::Error fromCode = win32::Error::FromWin32(ERROR_ACCESS_DENIED, name);
    const win32::Error fromCallee = win32::Error::Described(E_UNEXPECTED, L"Not here: " + name);
    EXPECT_EQ(std::string(fromCode.what()), win32::Utf8(fromCode.Describe()));
    EXPECT_EQ(std::string(fromCallee.what()), win32::Utf8(fromCallee.Describe()));

    const std::exception& plainWin32 = fromCode;
    const std::exception& plainCom = fromCallee;
    EXPECT_EQ(DescribeFailure(plainWin32), win32::SystemMessage(ERROR_ACCESS_DENIED) + L"\r\n" + name);
    EXPECT_EQ(DescribeFailure(plainCom), L"Not here: " + name);
}

TEST(FailureWords, OnlyRunningOutOfMemoryIsDescribedAsSuch) {
    EXPECT_EQ(DescribeFailure(std::bad_alloc()), win32::SystemMessage(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(DescribeFailure(std::runtime_error("The table is full.")), L"The table is full.");
    EXPECT_EQ(DescribeFailure(std::runtime_error("caf\xE9")), L"caf\u00e9") << "foreign text in the ANSI code page";
}

}  // namespace
