#include "own_name.h"

#include <string_view>
#include "relative_open.h"

namespace modMain {

bool RunsUnderWine() {
    static const bool underWine = [] {
        const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
        return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return underWine;
}

bool LinksLookLikeFiles() { return RunsUnderWine(); }

bool SamePathText(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

bool ResolvesTo(HANDLE handle, const std::wstring& expectedNtName) {
    const std::wstring resolved = ResolvedName(handle);
    return !resolved.empty() && SamePathText(resolved, expectedNtName);
}

bool NameSpelledAsListed(const std::wstring& name) {
    return !name.empty() && name.back() != L'.' && name.back() != L' ';
}

bool PathSpelledAsGiven(const std::wstring& path) {
    size_t start = 0;
    for (;;) {
        const size_t end = path.find(L'\\', start);
        const std::wstring name = path.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        // "C:" and the empty names of a UNC path's start need no check.
        if (!name.empty() && name.back() != L':' && !NameSpelledAsListed(name)) return false;
        if (end == std::wstring::npos) return true;
        start = end + 1;
    }
}

}  // namespace modMain
