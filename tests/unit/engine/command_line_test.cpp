#include "command_line.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <vector>
#include "sized_text.h"
#include "text_case.h"
#include "program_paths.h"

namespace modMain {
namespace {

struct SwitchRow {
    const wchar_t* arguments;
    std::vector<const wchar_t*> found;
    const wchar_t* dirValue;   // nullptr: DIR is not on the line
};

class WorkedExamples : public ::testing::TestWithParam<SwitchRow> {};

TEST_P(WorkedExamples, FindSwitchesAndTheDirValue) {
    const SwitchRow& row = GetParam();
    for (const SwitchWord& word : kSwitchWords) {
        bool expected = false;
        for (const wchar_t* f : row.found) expected = expected || word.name == f;
        EXPECT_EQ(HasSwitchIn(row.arguments, word.name), expected) << std::wstring(word.name);
    }
    if (row.dirValue != nullptr) {
        EXPECT_EQ(SwitchValueIn(row.arguments, L"DIR"), row.dirValue);
    }
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, WorkedExamples,
    ::testing::Values(SwitchRow{L"/DIR C:\\TEMP /AUTO", {L"DIR", L"AUTO"}, L"C:\\TEMP"},
                      SwitchRow{L"/AUTO /DIR C:\\TEMP", {L"AUTO", L"DIR"}, L"C:\\TEMP"},
                      SwitchRow{L"/auto /dir c:\\Temp\\Old", {L"AUTO", L"DIR"}, L"c:\\Temp\\Old"},
                      SwitchRow{L"/DIR C:\\My Files /QUIET", {L"DIR", L"QUIET"}, L"C:\\My Files"},
                      SwitchRow{L"/DIR C:\\A /B /AUTO", {L"DIR", L"AUTO"}, L"C:\\A"},
                      SwitchRow{L"/DIR:C:\\TEMP", {L"DIR"}, L"C:\\TEMP"},
                      SwitchRow{L"/DIR  C:\\TEMP", {L"DIR"}, L" C:\\TEMP"},
                      SwitchRow{L"/DIR C:\\TEMP ", {L"DIR"}, L"C:\\TEMP "},
                      // One pair of quotes around the value is no part of it; other quotes stay.
                      SwitchRow{L"/DIR \"C:\\My Files\" /AUTO", {L"DIR", L"AUTO"}, L"C:\\My Files"},
                      SwitchRow{L"/DIR:\"C:\\A B\\\"", {L"DIR"}, L"C:\\A B\\"},
                      SwitchRow{L"/DIR \"\"\"C:\\X\"\"", {L"DIR"}, L"\"\"C:\\X\""},
                      SwitchRow{L"/DIR \"C:\\X\" ", {L"DIR"}, L"\"C:\\X\" "},
                      SwitchRow{L"/DIR C:\\\"X\"", {L"DIR"}, L"C:\\\"X\""},
                      SwitchRow{L"/DIR \"C:\\X", {L"DIR"}, L"\"C:\\X"},
                      SwitchRow{L"/DIR \"", {L"DIR"}, L"\""},
                      SwitchRow{L"/DIR \"\" /AUTO", {L"DIR", L"AUTO"}, L""},
                      SwitchRow{L"/DIR", {L"DIR"}, L""},
                      // The DIR value runs to the next " /": a switch's text inside it is
                      // part of the folder's name and turns nothing on.
                      SwitchRow{L"/DIR /AUTO", {L"DIR"}, L"/AUTO"},
                      SwitchRow{L"/DIR C:\\X/AUTO", {L"DIR"}, L"C:\\X/AUTO"},
                      SwitchRow{L"/DIR Z:/data/autosave", {L"DIR"}, L"Z:/data/autosave"},
                      SwitchRow{L"/dir z:/x/quietdir/minutes", {L"DIR"}, L"z:/x/quietdir/minutes"},
                      SwitchRow{L"/DIR:C:/Auto/Quiet", {L"DIR"}, L"C:/Auto/Quiet"},
                      SwitchRow{L"/DIR/AUTO", {L"DIR"}, L"AUTO"},
                      SwitchRow{L"/DIR  /AUTO", {L"DIR", L"AUTO"}, L""},
                      SwitchRow{L"/DIR C:/autosave /AUTO", {L"DIR", L"AUTO"}, L"C:/autosave"},
                      SwitchRow{L"/QUIET /DIR C:/quiet/min", {L"QUIET", L"DIR"}, L"C:/quiet/min"},
                      SwitchRow{L"/DIR C:/min/x/DIR C:/y /MIN", {L"DIR", L"MIN"}, L"C:/min/x/DIR C:/y"},
                      SwitchRow{L"/QUIET/DIR C:\\X", {L"QUIET", L"DIR"}, L"C:\\X"},
                      SwitchRow{L"DIR C:\\X", {}, nullptr},
                      SwitchRow{L"", {}, nullptr},
                      SwitchRow{L"    ", {}, nullptr},
                      // A switch inside a longer word still counts; inside the DIR value it does not.
                      SwitchRow{L"/MINIMIZED /QUIETLY", {L"MIN", L"QUIET"}, nullptr},
                      SwitchRow{L"/AUTOMATIC/QUIETLY/DIR C:/x", {L"AUTO", L"QUIET", L"DIR"}, L"C:/x"},
                      SwitchRow{L"/DIR C:/AUTO", {L"DIR"}, L"C:/AUTO"},
                      // Only the first occurrence counts.
                      SwitchRow{L"/DIR C:\\A /DIR C:\\B", {L"DIR"}, L"C:\\A"}));

struct UnknownRow {
    const wchar_t* arguments;
    const wchar_t* unknown;   // the first unknown switch as typed, "" for none
};

class UnknownSwitches : public ::testing::TestWithParam<UnknownRow> {};

TEST_P(UnknownSwitches, AreNamedAsTyped) {
    EXPECT_EQ(UnknownSwitchIn(GetParam().arguments), GetParam().unknown);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, UnknownSwitches,
    ::testing::Values(UnknownRow{L"/AUTO /QUIET /PREVIEW /RECYCLE /MIN /DIR C:\\X", L""},
                      UnknownRow{L"/auto/quiet/preview", L""},
                      UnknownRow{L"/QUIETLY /MINIMIZED /DIRECTORY C:\\X", L""},
                      UnknownRow{L"", L""},
                      UnknownRow{L"stray words DIR C:\\X", L""},
                      UnknownRow{L"/AUTO /QUIET /PreveiW /DIR C:\\X", L"/PreveiW"},
                      UnknownRow{L"/AUTO/PREVEIW", L"/PREVEIW"},
                      UnknownRow{L"/AUTO\t/PRE", L"/PRE"},
                      UnknownRow{L"/AUTO -PREVIEW", L"-PREVIEW"},
                      UnknownRow{L"-AUTO", L"-AUTO"},
                      UnknownRow{L"/AUTO \uFF0FPREVIEW", L"\uFF0FPREVIEW"},
                      UnknownRow{L"/AUTO\uFF0FPREVIEW", L"\uFF0FPREVIEW"},
                      UnknownRow{L"/AUTO / PREVIEW", L"/"},
                      UnknownRow{L"/X /Y", L"/X"},
                      // Inside the DIR value nothing is a switch; after it again everything is.
                      UnknownRow{L"/DIR C:\\My -Files x/y /QUIET", L""},
                      UnknownRow{L"/DIR:C:/-x/preveiw", L""},
                      UnknownRow{L"/DIR C:\\A /QUEIT", L"/QUEIT"},
                      UnknownRow{L"/DIR C:\\A -x /AUTO -QUIET", L"-QUIET"}));

TEST(CommandLine, UpperCasingKeepsPositionsForTheValue) {
    // "ß" has a two-letter upper case in some mappings; the value must not shift.
    EXPECT_EQ(SwitchValueIn(L"/x \u00df\u00dfstra\u00dfe /dir C:\\Stra\u00dfe /auto", L"dir"), L"C:\\Stra\u00dfe");
    EXPECT_EQ(UpperCase(L"stra\u00dfe \u00e9t\u00e9").size(), 10u);
    EXPECT_EQ(UpperCase(L"abc \u00e9"), L"ABC \u00c9");
}

TEST(CommandLine, ArgumentsFollowTheProgramName) {
    EXPECT_EQ(ArgumentsOf(L"Scourway.exe /AUTO /DIR C:\\X"), L"/AUTO /DIR C:\\X");
    EXPECT_EQ(ArgumentsOf(L"\"C:\\Program Files\\Scourway.exe\"   /QUIET"), L"/QUIET");
    EXPECT_EQ(ArgumentsOf(L"\"C:\\Program Files\\Scourway.exe\"/QUIET"), L"/QUIET");
    EXPECT_EQ(ArgumentsOf(L"Scourway.exe \t /DIR C:\\TEMP  "), L"/DIR C:\\TEMP  ");
    EXPECT_EQ(ArgumentsOf(L"Scourway.exe"), L"");
    EXPECT_EQ(ArgumentsOf(L"\"C:\\odd name"), L"");
    EXPECT_EQ(ArgumentsOf(L""), L"");
}

TEST(CommandLine, ThisProcessSwitchesComeFromItsOwnCommandLine) {
    EXPECT_EQ(CommandLineArguments(), ArgumentsOf(::GetCommandLineW()));
    EXPECT_FALSE(HasSwitch(L"NO-SUCH-SWITCH-HERE"));
}

TEST(Paths, AddSlashAppendsOneSeparatorUnlessTheLastCharacterIsOne) {
    EXPECT_EQ(AddSlash(L""), L"\\");
    EXPECT_EQ(AddSlash(L"C:\\"), L"C:\\");
    EXPECT_EQ(AddSlash(L"C:\\TEMP"), L"C:\\TEMP\\");
    EXPECT_EQ(AddSlash(L"C:\\TEMP\\\\"), L"C:\\TEMP\\\\");
    EXPECT_EQ(AddSlash(L"C:\\A/"), L"C:\\A/\\");
}

TEST(Paths, WindowsDirectoryIsThePlatformsWhole) {
    wchar_t expected[MAX_PATH];
    const UINT length = ::GetWindowsDirectoryW(expected, MAX_PATH);
    EXPECT_EQ(GetWindowsDir(), std::wstring(expected, length));
}

TEST(Paths, TextOfUnknownLengthIsReadWhole) {
    const std::wstring longDirectory = L"C:\\" + std::wstring(300, L'w');
    int calls = 0;
    auto reportsNeed = [&](wchar_t* buffer, DWORD size) -> DWORD {
        ++calls;
        if (size <= longDirectory.size()) return static_cast<DWORD>(longDirectory.size() + 1);
        longDirectory.copy(buffer, longDirectory.size());
        return static_cast<DWORD>(longDirectory.size());
    };
    EXPECT_EQ(win32::WholeText(reportsNeed, 255), longDirectory);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(win32::WholeText([](wchar_t*, DWORD) -> DWORD { return 0; }, 255), L"");

    auto truncates = [&](wchar_t* buffer, DWORD size) -> DWORD {
        const size_t n = std::min<size_t>(size, longDirectory.size());
        longDirectory.copy(buffer, n);
        return static_cast<DWORD>(n);
    };
    EXPECT_EQ(win32::WholeText(truncates, 16), longDirectory);
}

TEST(Paths, ProgramDirectoryHoldsTheRunningProgram) {
    wchar_t program[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::wstring directory = ProgramDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(directory + L"\\" + std::wstring(program + directory.size() + 1, program + length),
              std::wstring(program, length));
    EXPECT_EQ(ParentDirectory(L"C:\\prog.exe"), L"C:\\");
    EXPECT_EQ(ParentDirectory(L"C:\\tools\\prog.exe"), L"C:\\tools");
    EXPECT_EQ(ParentDirectory(L"prog.exe"), L"");
}

}  // namespace
}  // namespace modMain
