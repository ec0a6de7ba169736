// /OLDER and /LOG as users type them, and the age and log decisions they make.
#include "run_switches.h"

#include <gtest/gtest.h>
#include "file_eligibility.h"

namespace modMain {
namespace {

TEST(RunSwitches, WorkedExamples) {
    constexpr int kNone = -1;
    const struct {
        const wchar_t* arguments;
        int days;
        const wchar_t* log;
        bool problem;
    } rows[] = {
        {L"/AUTO /DIR C:\\x", kNone, L"", false}, {L"/OLDER:30 /DIR C:\\x", 30, L"", false},
        {L"/older 7 /auto", 7, L"", false}, {L"/OLDER: 30 /AUTO", 30, L"", false}, {L"/OLDER:0", 0, L"", false},
        {L"/OLDER:36500", 36500, L"", false}, {L"/DIR C:\\x /OLDER:30", 30, L"", false},
        {L"/DIR C:\\a/older:5", kNone, L"", false},   // part of the folder's name
        {L"/OLDER:36501", kNone, L"", true}, {L"/OLDER:-1", kNone, L"", true}, {L"/OLDER:x", kNone, L"", true},
        {L"/OLDER:3 0", kNone, L"", true}, {L"/OLDER30", kNone, L"", true}, {L"/OLDER /AUTO", kNone, L"", true},
        {L"/LOG:C:\\logs\\a.log /AUTO", kNone, L"C:\\logs\\a.log", false},
        {L"/log \"C:\\my logs\\a.log\" /OLDER:1", 1, L"C:\\my logs\\a.log", false},
        {L"/LOG:a.log  /AUTO", kNone, L"a.log", false}, {L"/LOG", kNone, L"", true},
        {L"/LOG: /AUTO", kNone, L"", true}, {L"/LOGFILE:x", kNone, L"", true},
    };
    for (const auto& row : rows) {
        const RunSwitches read = ReadRunSwitches(row.arguments);
        EXPECT_EQ(!read.problem.empty(), row.problem) << row.arguments;
        if (row.problem) continue;
        EXPECT_EQ(read.olderDays.value_or(kNone), row.days) << row.arguments;
        EXPECT_EQ(read.logFile, row.log) << row.arguments;
    }
    EXPECT_EQ(ReadRunSwitches(L"/OLDER:x").problem,
              L"/OLDER needs a whole number of days from 0 to 36500, as in /OLDER:30. Nothing was deleted.");
}

// The limit is exact elapsed time on the UTC clock: a file written exactly
// 30 days of 24 hours before the start is in, one a second later is not, and
// one from the future never is.
TEST(FileEligibility, AgeLimitAndTheRunsOwnLog) {
    constexpr ULONGLONG kSecond = 10'000'000;
    const ULONGLONG start = 133'000'000'000'000'000ULL;   // a moment in 2022
    const ULONGLONG limit = start - 30 * kFileTimeUnitsPerDay;
    EXPECT_EQ(WrittenByFor(kMostDays, 10), 0u) << "no wrap-around before the clock's start";
    const struct {
        int days;
        ULONGLONG written;
        bool admitted;
    } rows[] = {{30, limit, true}, {30, limit + kSecond, false}, {30, 0, true},
                {30, start + kFileTimeUnitsPerDay, false}, {0, start, true}, {0, start + 1, false}};
    for (const auto& row : rows) {
        FileEligibility eligible;
        eligible.writtenBy = WrittenByFor(row.days, start);
        EXPECT_EQ(eligible.Admits(FileEntry{L"a.tmp", 0, 7, 0, row.written}), row.admitted) << row.days;
    }
    FileEligibility spare;
    spare.spareId = 7;
    spare.spareName = L"Run.log";
    EXPECT_FALSE(spare.Admits(FileEntry{L"RUN.LOG", 0, 7}));
    EXPECT_TRUE(spare.Admits(FileEntry{L"other.log", 0, 7})) << "the same number on another volume";
}

}  // namespace
}  // namespace modMain
