#include "text_case.h"

#include <windows.h>
#include <array>
#include <memory>

namespace modMain {
namespace {

using CaseTable = std::array<wchar_t, 0x10000>;

// Maps units first..last in one call; a call that changed the length (or
// failed) is redone unit by unit, keeping any unit that does not map to one.
void MapRange(CaseTable& table, unsigned first, unsigned last) {
    const int count = static_cast<int>(last - first + 1);
    std::wstring source(static_cast<size_t>(count), L'\0');
    for (int i = 0; i < count; ++i) source[static_cast<size_t>(i)] = static_cast<wchar_t>(first + i);
    std::wstring upper(source.size(), L'\0');
    const int mapped = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, source.data(), count,
                                       upper.data(), count, nullptr, nullptr, 0);
    if (mapped == count) {
        for (int i = 0; i < count; ++i) table[first + i] = upper[static_cast<size_t>(i)];
        return;
    }
    for (unsigned c = first; c <= last; ++c) {
        const wchar_t one = static_cast<wchar_t>(c);
        wchar_t out[4];
        if (::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, &one, 1, out, 4, nullptr, nullptr, 0) == 1)
            table[c] = out[0];
    }
}

std::unique_ptr<CaseTable> BuildTable() {
    auto table = std::make_unique<CaseTable>();
    for (unsigned c = 0; c < table->size(); ++c) (*table)[c] = static_cast<wchar_t>(c);
    // Surrogate halves have no case of their own.
    MapRange(*table, 0x0001, 0xD7FF);
    MapRange(*table, 0xE000, 0xFFFF);
    return table;
}

const CaseTable& Table() {
    static const std::unique_ptr<CaseTable> table = BuildTable();
    return *table;
}

}  // namespace

wchar_t UpperChar(wchar_t c) noexcept { return Table()[static_cast<unsigned short>(c)]; }

std::wstring UpperCase(std::wstring_view text) {
    const CaseTable& table = Table();
    std::wstring upper(text);
    for (wchar_t& c : upper) c = table[static_cast<unsigned short>(c)];
    return upper;
}

std::wstring_view TrimSpaces(std::wstring_view text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

}  // namespace modMain
