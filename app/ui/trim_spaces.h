#pragma once
// Removes leading and trailing space characters only; tabs and other white space stay.
#include <string>

inline std::wstring TrimSpaces(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}
