// The least a sweep can do: one listing per directory, the patterns applied to
// the long names in memory, each match deleted with DeleteFileW. No caption,
// no yield, no checks. A yardstick for the benchmark, not a tool.
//   refwalk [--own-name] [--relist] <directory> <pattern>...
// --own-name deletes through the engine's FileRemover instead: each directory is
// held open, and each file opened through that handle, checked under Wine to be
// the file listed (the link check a safe sweep cannot skip there), and deleted
// through its own handle. --relist reads each directory where something was
// deleted once more through its handle, as the engine does to count only the
// names that are gone. Together they show the platform's share of the engine's cost.
#include <windows.h>
#include <cstdio>
#include <string>
#include <vector>
#include "directory_listing.h"
#include "file_removal.h"
#include "held_folder.h"
#include "wildcard.h"
#include "error.h"

namespace {

struct Options {
    bool ownName = false;
    bool relist = false;
};

struct Totals {
    long directories = 0;
    long matches = 0;
    long failed = 0;
};

class Walker {
public:
    Walker(std::vector<modMain::WildcardPattern> patterns, Options options)
        : patterns_(std::move(patterns)), options_(options) {}

    void Walk(const std::wstring& directory) {
        std::vector<std::wstring> files;
        std::vector<std::wstring> subdirectories;
        WIN32_FIND_DATAW data;
        HANDLE find = ::FindFirstFileExW((directory + L"\\*").c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (find == INVALID_HANDLE_VALUE) return;
        do {
            const std::wstring name = data.cFileName;
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                files.push_back(name);
            else if (name != L"." && name != L".." && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                subdirectories.push_back(name);
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
        ++totals_.directories;

        if (options_.ownName || options_.relist) held_ = modMain::HoldStart(directory, modMain::FolderSharing::Open);
        std::vector<bool> gone(files.size(), false);
        std::vector<std::wstring> deleted;
        for (const auto& pattern : patterns_) {
            for (size_t i = 0; i < files.size(); ++i) {
                if (gone[i] || !pattern.Matches(files[i])) continue;
                ++totals_.matches;
                gone[i] = Delete(directory, files[i]);
                if (!gone[i]) ++totals_.failed;
                else if (options_.relist) deleted.push_back(files[i]);
            }
        }
        if (!deleted.empty()) Relist(directory, deleted);
        files.clear();
        files.shrink_to_fit();
        for (const auto& name : subdirectories) Walk(directory + L"\\" + name);
    }

    const Totals& totals() const { return totals_; }

private:
    bool Delete(const std::wstring& directory, const std::wstring& name) {
        if (options_.ownName) return modMain::FileRemover::Remove(*held_, name) == modMain::Removal::Deleted;
        return ::DeleteFileW((directory + L"\\" + name).c_str()) != FALSE;
    }

    // A deleted name still listed is a failure after all.
    void Relist(const std::wstring& directory, const std::vector<std::wstring>& deleted) {
        try {
            const std::vector<bool> still = modMain::FilesStillListed(held_->handle.get(), directory, deleted);
            for (const bool there : still)
                if (there) ++totals_.failed;
        } catch (const win32::Error&) {
            totals_.failed += static_cast<long>(deleted.size());
        }
    }

    std::vector<modMain::WildcardPattern> patterns_;
    Options options_;
    modMain::FolderRef held_;   // the directory being worked on, with --own-name or --relist
    Totals totals_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    int first = 1;
    for (; first < argc; ++first) {
        const std::wstring flag = argv[first];
        if (flag == L"--own-name") options.ownName = true;
        else if (flag == L"--relist") options.relist = true;
        else break;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: refwalk [--own-name] [--relist] <directory> <pattern>...\n");
        return 2;
    }
    std::vector<modMain::WildcardPattern> patterns;
    for (int i = first + 1; i < argc; ++i) patterns.emplace_back(argv[i]);
    wchar_t full[32768];
    const DWORD length = ::GetFullPathNameW(argv[first], 32768, full, nullptr);
    std::wstring start = L"\\\\?\\" + std::wstring(full, length);
    while (start.size() > 7 && start.back() == L'\\') start.pop_back();
    Walker walker(std::move(patterns), options);
    walker.Walk(start);
    const Totals& totals = walker.totals();
    std::printf("refwalk: %ld directories, %ld matches, %ld not deleted\n", totals.directories, totals.matches,
                totals.failed);
    return 0;
}
