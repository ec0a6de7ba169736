// The one set of text conversions the program and the control library share.
#include <gtest/gtest.h>
#include <windows.h>
#include "text_conversion.h"

namespace {

TEST(TextConversion, AnsiRoundTripsTheCodePagesCharactersAnEmbeddedNulIncluded) {
    ASSERT_EQ(::GetACP(), 1252u) << "the texts below are for code page 1252";
    const std::wstring text(L"caf\u00E9 \u20AC\0x", 7);
    const std::string ansi = win32::ToAnsi(text);
    EXPECT_EQ(ansi, std::string("caf\xE9 \x80\0x", 7));
    EXPECT_EQ(win32::FromAnsi(ansi), text);
    EXPECT_EQ(win32::ToAnsi(L""), "");
    EXPECT_EQ(win32::FromAnsi(""), L"");
}

TEST(TextConversion, Utf8KeepsEveryCharacterAnsiHasNoPlaceFor) {
    const std::wstring text = L"\u65E5\U0001F600";
    EXPECT_EQ(win32::Utf8(text), "\xE6\x97\xA5\xF0\x9F\x98\x80");
    EXPECT_EQ(win32::ToAnsi(L"\u65E5"), "?") << "no counterpart in the code page";
}

}  // namespace
