#include "pattern_list.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>
#include "command_line.h"
#include "temp_tree.h"
#include "test_support.h"
#include "error.h"
#include "program_paths.h"
#include "list_file.h"

namespace modMain {
namespace {

using enginetest::FailureOf;
using enginetest::ListOf;
using enginetest::TempTree;

std::vector<std::wstring> Paths(const FileCollection& list) {
    std::vector<std::wstring> paths;
    for (const cFileItem& item : list) paths.push_back(item.Path);
    return paths;
}

// The names in a folder, to see that a failed save left nothing behind.
std::vector<std::wstring> Names(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (data.cFileName[0] != L'.') names.push_back(data.cFileName);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return names;
}

TEST(FileCollection, KeepsOrderAndKeys) {
    FileCollection list;
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.NextKey(), 1);
    list.Add(cFileItem{L"*.bak", 1}, L"K1");
    list.Add(cFileItem{L"*.tmp", 2}, L"K2");
    list.Add(cFileItem{L"*.old", 12}, FileCollection::KeyText(12));
    EXPECT_EQ(FileCollection::KeyText(12), L"K12");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Item(2).Path, L"*.tmp");
    EXPECT_EQ(list.Find(L"K12")->Path, L"*.old");
    EXPECT_EQ(list.Find(L"K3"), nullptr);
    EXPECT_EQ(list.NextKey(), 13);
    EXPECT_THROW(list.Add(cFileItem{L"x", 2}, L"K2"), std::invalid_argument);
    EXPECT_THROW(list.Item(0), std::out_of_range);
    EXPECT_THROW(list.Item(4), std::out_of_range);

    list.Find(L"K2")->Path = L"*.temp";   // edited in place: key and position kept
    EXPECT_TRUE(list.Remove(L"K1"));
    EXPECT_FALSE(list.Remove(L"K1"));
    EXPECT_EQ(Paths(list), (std::vector<std::wstring>{L"*.temp", L"*.old"}));
    EXPECT_EQ(list.Item(1).Key, 2);
    EXPECT_EQ(list.Find(L"K12")->Path, L"*.old");
    EXPECT_EQ(list.NextKey(), 13);
    list.Clear();
    EXPECT_EQ(list.NextKey(), 1);
}

TEST(ListText, ReadingRules) {
    const FileCollection list = ParseList(">old\r\n\r\n*.bak\r\n*.tmp\r\n", 1252);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Find(L"K1")->Path, L"*.bak");
    EXPECT_EQ(list.Find(L"K2")->Path, L"*.tmp");
    EXPECT_EQ(list.Item(2).Key, 2);

    EXPECT_EQ(Paths(ParseList("   *.tmp   \r\n   >comment\r\n\t*.x \r\n*.a>b", 1252)),
              (std::vector<std::wstring>{L"*.tmp", L"\t*.x", L"*.a>b"}));
    EXPECT_EQ(Paths(ParseList("a\r\na\r\n", 1252)), (std::vector<std::wstring>{L"a", L"a"}));
    EXPECT_EQ(ParseList("a\r\na\r\n", 1252).Item(2).Key, 2);
    EXPECT_TRUE(ParseList("", 1252).Empty());
    EXPECT_TRUE(ParseList("  \r\n>x\r\n\r\n", 1252).Empty());
}

struct DecodingRow {
    std::string bytes;
    std::vector<std::wstring> paths;
    ListEncoding encoding;
    std::string saved;   // what a save of the list writes
};

class ListDecoding : public ::testing::TestWithParam<DecodingRow> {};

TEST_P(ListDecoding, ReadsTheLinesAndSavesInTheFormatRead) {
    const DecodingRow& row = GetParam();
    const FileCollection list = ParseList(row.bytes, 1252);
    EXPECT_EQ(Paths(list), row.paths);
    EXPECT_EQ(list.Encoding(), row.encoding);
    EXPECT_EQ(FormatList(list, 1252), row.saved);
}

using namespace std::string_literals;   // UTF-16 bytes hold NULs
const std::vector<std::wstring> kThree{L"*.bak", L"*.tmp", L"~*.*"};
const std::string kThreeSaved = "*.bak\r\n*.tmp\r\n~*.*\r\n";

INSTANTIATE_TEST_SUITE_P(
    ListText, ListDecoding,
    ::testing::Values(
        DecodingRow{"*.bak\n*.tmp\n~*.*\n", kThree, ListEncoding::Ansi, kThreeSaved},
        DecodingRow{"*.bak\r\n*.tmp\n~*.*", kThree, ListEncoding::Ansi, kThreeSaved},
        DecodingRow{"*.bak\r*.tmp\r\r\n\n ~*.* \r", kThree, ListEncoding::Ansi, kThreeSaved},
        DecodingRow{"\t*.x\n>c\ncaf\xe9.tmp", {L"\t*.x", L"caf\u00e9.tmp"}, ListEncoding::Ansi,
                    "\t*.x\r\ncaf\xe9.tmp\r\n"},
        // Without a mark, UTF-8 is read as ANSI, as ever.
        DecodingRow{"\xc3\xa9", {L"\u00c3\u00a9"}, ListEncoding::Ansi, "\xc3\xa9\r\n"},
        DecodingRow{"\xEF\xBB\xBF*.bak\n\xe4\xb8\xad.tmp", {L"*.bak", L"\u4e2d.tmp"}, ListEncoding::Utf8,
                    "\xEF\xBB\xBF*.bak\r\n\xe4\xb8\xad.tmp\r\n"},
        DecodingRow{"\xEF\xBB\xBF", {}, ListEncoding::Utf8, "\xEF\xBB\xBF"},
        DecodingRow{"\xFF\xFE*\0.\0b\0\n\0-N\r\0"s, {L"*.b", L"\u4e2d"}, ListEncoding::Utf16LE,
                    "\xFF\xFE*\0.\0b\0\r\0\n\0-N\r\0\n\0"s},
        DecodingRow{"\xFE\xFF\0*\0.\0b\0\r\0\nN-\0\r"s, {L"*.b", L"\u4e2d"}, ListEncoding::Utf16BE,
                    "\xFE\xFF\0*\0.\0b\0\r\0\nN-\0\r\0\n"s}));

TEST(ListText, CodePageConversion) {
    EXPECT_EQ(ParseList("caf\xe9.tmp", 1252).Item(1).Path, L"caf\u00e9.tmp");
    EXPECT_EQ(FormatList(ListOf({L"caf\u00e9.tmp", L"*.bak"}), 1252), "caf\xe9.tmp\r\n*.bak\r\n");
    EXPECT_EQ(FormatList(FileCollection(), 1252), "");
}

TEST(ListText, PatternsThatWouldChangeOnTheWayAreRefused) {
    // Best fit would write "a" for "ā" and "?" for "中": other, wider patterns.
    for (const wchar_t* path : {L"\u0101*.tmp", L"\u4e2d.tmp"}) {
        const auto refused = FailureOf([&] { FormatList(ListOf({L"*.bak", path}), 1252); });
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->Win32Code(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    }
    EXPECT_THROW(FormatList(ListOf({L"a\rb"}), 1252), win32::Error);
    EXPECT_THROW(FormatList(ListOf({L"a\nb"}), 1252), win32::Error);
    EXPECT_EQ(FormatList(ListOf({L"\u4e2d.tmp"}), CP_UTF8), "\xe4\xb8\xad.tmp\r\n");
}

class ListFile : public ::testing::Test {
protected:
    TempTree tree;
    std::wstring file = tree.Path(L"KILL.LST");
};

TEST_F(ListFile, SaveThenLoadKeepsEveryEntryInOrder) {
    tree.File(L"KILL.LST", ">c\r\n  *.tmp \r\n\r\n~*.*\r\nThumbs.db");
    FileCollection list;
    LoadListFrom(file, list);
    SaveListTo(file, list);
    EXPECT_EQ(tree.Read(L"KILL.LST"), "*.tmp\r\n~*.*\r\nThumbs.db\r\n");
    FileCollection again;
    LoadListFrom(file, again);
    EXPECT_EQ(Paths(again), Paths(list));
    EXPECT_EQ(Names(tree.Root()), (std::vector<std::wstring>{L"KILL.LST"}));

    SaveListTo(file, FileCollection());
    EXPECT_EQ(tree.Read(L"KILL.LST"), "");
    LoadListFrom(file, again);
    EXPECT_TRUE(again.Empty());
}

TEST_F(ListFile, SavingCreatesAMissingFile) {
    SaveListTo(file, ListOf({L"*.bak"}));
    EXPECT_EQ(tree.Read(L"KILL.LST"), "*.bak\r\n");
}

TEST_F(ListFile, LoadingAMissingFileFailsWithTheListEmptied) {
    FileCollection list = ListOf({L"old"});
    const auto failure = FailureOf([&] { LoadListFrom(file, list); });
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->Win32Code(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(failure->Subject(), file);
    EXPECT_NE(failure->Describe().find(file), std::wstring::npos);
    EXPECT_TRUE(list.Empty());
}

TEST_F(ListFile, AListLongerThanItCanHoldIsRefusedWhole) {
    std::string lines;
    for (int32_t i = 0; i <= FileCollection::kMostEntries; ++i) lines += "x\n";
    tree.File(L"KILL.LST", lines);
    FileCollection list = ListOf({L"old"});
    const auto failure = FailureOf([&] { LoadListFrom(file, list); });
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->Describe().find(L"more than 2000000 patterns"), std::wstring::npos);
    EXPECT_EQ(failure->Subject(), file);
    EXPECT_TRUE(list.Empty());
}

// After any failed save the old file is there, byte for byte, and nothing else.
class FailedSave : public ListFile {
protected:
    void SetUp() override { tree.File(L"KILL.LST", kOld); }
    void ExpectOldFileKept() {
        EXPECT_EQ(tree.Read(L"KILL.LST"), kOld);
        EXPECT_EQ(Names(tree.Root()), (std::vector<std::wstring>{L"KILL.LST"}));
    }
    DWORD SaveFailure(const FileCollection& list) {
        const auto failure = FailureOf([&] { SaveListTo(file, list); });
        if (!failure) return ERROR_SUCCESS;
        EXPECT_EQ(failure->Subject(), file);
        return failure->Win32Code();
    }
    static constexpr const char* kOld = "*.bak\r\n>keep\r\n*.old\r\n";
};

TEST_F(FailedSave, ReadOnlyFile) {
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(SaveFailure(ListOf({L"*.new"})), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    ExpectOldFileKept();
}

TEST_F(FailedSave, FileInUse) {
    HANDLE reader = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_NE(SaveFailure(ListOf({L"*.new"})), static_cast<DWORD>(ERROR_SUCCESS));
    ::CloseHandle(reader);
    ExpectOldFileKept();
}

TEST_F(FailedSave, PatternOutsideTheCodePage) {
    BOOL usedDefault = FALSE;
    char probe[8];
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, L"\u0101", 1, probe, sizeof probe, nullptr, &usedDefault);
    if (!usedDefault) GTEST_SKIP() << "this code page holds the test character";
    EXPECT_EQ(SaveFailure(ListOf({L"*.new", L"\u0101*.tmp"})), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    ExpectOldFileKept();
}

TEST_F(ListFile, HiddenListFileStaysHidden) {
    tree.File(L"KILL.LST", "*.bak\r\n", FILE_ATTRIBUTE_HIDDEN);
    SaveListTo(file, ListOf({L"*.tmp"}));
    EXPECT_EQ(tree.Read(L"KILL.LST"), "*.tmp\r\n");
    EXPECT_TRUE(::GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST(ProgramListFile, LivesBesideTheProgramAndRoundTrips) {
    EXPECT_EQ(ListFilePath(), AddSlash(ProgramDirectory()) + L"KILL.LST");
    const std::wstring path = ListFilePath();
    ASSERT_EQ(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "a KILL.LST is in the way";
    colFiles = ListOf({L"*.tmp", L"~*.*"});
    SaveList();
    colFiles.Clear();
    LoadList();
    ::DeleteFileW(path.c_str());
    EXPECT_EQ(Paths(colFiles), (std::vector<std::wstring>{L"*.tmp", L"~*.*"}));
    EXPECT_EQ(colFiles.Item(2).Key, 2);
}

}  // namespace
}  // namespace modMain
