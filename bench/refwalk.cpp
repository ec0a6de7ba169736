// The least a sweep can do: one listing per directory, the patterns applied to
// the long names in memory, each match deleted with DeleteFileW. No caption,
// no yield, no checks. A yardstick for the benchmark, not a tool.
//   refwalk <directory> <pattern>...
#include <windows.h>
#include <cstdio>
#include <string>
#include <vector>
#include "wildcard.h"

namespace {

struct Totals {
    long directories = 0;
    long matches = 0;
    long failed = 0;
};

void Walk(const std::wstring& directory, const std::vector<modMain::WildcardPattern>& patterns, Totals& totals) {
    std::vector<std::wstring> files;
    std::vector<std::wstring> subdirectories;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileExW((directory + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back(name);
        else if (name != L"." && name != L".." && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            subdirectories.push_back(name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    ++totals.directories;

    std::vector<bool> gone(files.size(), false);
    for (const auto& pattern : patterns) {
        for (size_t i = 0; i < files.size(); ++i) {
            if (gone[i] || !pattern.Matches(files[i])) continue;
            ++totals.matches;
            gone[i] = ::DeleteFileW((directory + L"\\" + files[i]).c_str()) != FALSE;
            if (!gone[i]) ++totals.failed;
        }
    }
    files.clear();
    files.shrink_to_fit();
    for (const auto& name : subdirectories) Walk(directory + L"\\" + name, patterns, totals);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: refwalk <directory> <pattern>...\n");
        return 2;
    }
    std::vector<modMain::WildcardPattern> patterns;
    for (int i = 2; i < argc; ++i) patterns.emplace_back(argv[i]);
    wchar_t full[32768];
    const DWORD length = ::GetFullPathNameW(argv[1], 32768, full, nullptr);
    std::wstring start = L"\\\\?\\" + std::wstring(full, length);
    while (start.size() > 7 && start.back() == L'\\') start.pop_back();
    Totals totals;
    Walk(start, patterns, totals);
    std::printf("refwalk: %ld directories, %ld matches, %ld not deleted\n", totals.directories, totals.matches,
                totals.failed);
    return 0;
}
