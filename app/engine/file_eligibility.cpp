#include "file_eligibility.h"

#include "own_name.h"

namespace modMain {

bool FileEligibility::Admits(const FileEntry& file) const {
    if (file.lastWrite > writtenBy) return false;
    return spareId == 0 || file.id != spareId || !SamePathText(file.name, spareName);
}

ULONGLONG WrittenByFor(int days, ULONGLONG runStart) {
    const ULONGLONG span = static_cast<ULONGLONG>(days) * kFileTimeUnitsPerDay;
    return span > runStart ? 0 : runStart - span;
}

std::optional<int> DaysIn(std::wstring_view text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(L' ') - first + 1);
    if (text.size() > 5) return std::nullopt;
    int days = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        days = days * 10 + (c - L'0');
    }
    if (days > kMostDays) return std::nullopt;
    return days;
}

ULONGLONG Now() {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

}  // namespace modMain
