#pragma once
// Which listed files a run tries its patterns on at all. A file it leaves out
// is no match: not counted, not opened, not in a preview.
#include <windows.h>
#include <optional>
#include <string>
#include <string_view>
#include "directory_listing.h"

namespace modMain {

// /OLDER's limit is whole days of 24 hours before the run started, counted on
// the UTC clock the listing's times use: a change of daylight saving time
// moves no file across it.
inline constexpr ULONGLONG kFileTimeUnitsPerDay = 24ULL * 60 * 60 * 10'000'000;
inline constexpr int kMostDays = 36500;

struct FileEligibility {
    // Files last written after this (FILETIME, UTC) are left out.
    ULONGLONG writtenBy = ~0ULL;
    // One file the run must never take (its own log): its identity and name.
    ULONGLONG spareId = 0;
    std::wstring spareName;

    bool Admits(const FileEntry& file) const;
};

// The last-write limit for files at least `days` old at runStart (FILETIME, UTC).
ULONGLONG WrittenByFor(int days, ULONGLONG runStart);
// Whole days, 0 to kMostDays, as digits (blanks around them allowed); none otherwise.
std::optional<int> DaysIn(std::wstring_view text);
// This moment as a FILETIME (UTC).
ULONGLONG Now();

}  // namespace modMain
