#include "sweep.h"

#include "command_line.h"
#include "directory_listing.h"
#include "file_removal.h"
#include "long_path.h"
#include "win32_error.h"

namespace modMain {
namespace {

// One directory in the two forms the sweep needs.
struct Location {
    std::wstring extended;   // for the file APIs
    std::wstring shown;      // for the caption and onMatch
};

Location Child(const Location& parent, const std::wstring& name) {
    return {AddSlash(parent.extended) + name, AddSlash(parent.shown) + name};
}

// An empty path would otherwise mean the current directory (or, joined to a
// pattern, the current drive's root); it names no directory.
Location Resolve(const std::wstring& path) {
    if (path.find_first_not_of(L' ') == std::wstring::npos) throw Win32Error(ERROR_PATH_NOT_FOUND, path);
    const std::wstring full = FullPath(path);
    return {ExtendedPath(full), DisplayPath(full)};
}

std::vector<WildcardPattern> Compile(const FileCollection& patterns) {
    std::vector<WildcardPattern> compiled;
    compiled.reserve(static_cast<size_t>(patterns.Count()));
    for (const cFileItem& item : patterns) compiled.emplace_back(item.Path);
    return compiled;
}

}  // namespace

// The state of one call: the patterns, compiled once, and the remover.
struct Sweep::Impl {
    Sweep& sweep;
    std::vector<WildcardPattern> patterns;
    FileRemover remover;

    void YieldOrStop() {
        if (!sweep.host_.Yield()) throw SweepStopped();
    }

    // Whether the file is gone for the patterns that follow.
    bool Dispose(const Location& directory, const std::wstring& name) {
        if (sweep.options_.action == SweepAction::Preview) return true;
        const Removal removal = remover.Remove(directory.extended, name);
        if (removal == Removal::Deleted) return true;
        ++sweep.failed_;
        return removal == Removal::Missing;
    }

    // Each pattern in list order over the directory's files, as a search per
    // pattern would see them: a file deleted by an earlier pattern is not found
    // again, one that stayed is.
    int32_t Apply(const Location& directory, const std::vector<FileEntry>& files, int32_t* fileCounter) {
        std::vector<bool> gone(files.size(), false);
        int32_t found = 0;
        for (const WildcardPattern& pattern : patterns) {
            if (!pattern.CanMatch()) continue;
            for (size_t i = 0; i < files.size(); ++i) {
                if (gone[i] || !pattern.Matches(files[i].name)) continue;
                ++found;
                if (fileCounter) ++*fileCounter;
                if (sweep.options_.onMatch) sweep.options_.onMatch(AddSlash(directory.shown) + files[i].name);
                gone[i] = Dispose(directory, files[i].name);
                YieldOrStop();
            }
        }
        return found;
    }

    int32_t ApplyToFolder(const std::wstring& path) {
        const Location directory = Resolve(path);
        return Apply(directory, ListDirectory(directory.extended, directory.shown).files, nullptr);
    }

    // Pre-order, depth first, without recursion: each level keeps only the
    // names of its subdirectories while the ones below it are walked.
    void Walk(const Location& start, int32_t& directories, int32_t& files) {
        struct Level {
            Location directory;
            std::vector<std::wstring> subdirectories;
            size_t next = 0;
        };
        std::vector<Level> levels;
        auto enter = [&](Location directory) {
            DirectoryListing listing = ListDirectory(directory.extended, directory.shown);
            ++directories;
            sweep.host_.SetCaption(L"Scourway - " + directory.shown);
            YieldOrStop();
            Apply(directory, listing.files, &files);
            levels.push_back(Level{std::move(directory), std::move(listing.subdirectories)});
        };
        enter(start);
        while (!levels.empty()) {
            Level& level = levels.back();
            if (level.next == level.subdirectories.size()) {
                levels.pop_back();
                continue;
            }
            Location child = Child(level.directory, level.subdirectories[level.next++]);
            YieldOrStop();
            enter(std::move(child));
        }
    }
};

Sweep::Sweep(SweepHost& host, const FileCollection& patterns, SweepOptions options)
    : host_(host), patterns_(patterns), options_(std::move(options)) {
    if (options_.action == SweepAction::Recycle) throw Win32Error(ERROR_NOT_SUPPORTED, L"");
}

void Sweep::SweepFolder(const std::wstring& path, int32_t& directories, int32_t& files) {
    Impl impl{*this, Compile(patterns_), {}};
    impl.Walk(Resolve(path), directories, files);
}

int32_t Sweep::DeleteMatchesInFolder(const std::wstring& directory) {
    Impl impl{*this, Compile(patterns_), {}};
    return impl.ApplyToFolder(directory);
}

int32_t Sweep::DeletePatternMatches(const std::wstring& directory, const std::wstring& pattern) {
    Impl impl{*this, {WildcardPattern(pattern)}, {}};
    return impl.ApplyToFolder(directory);
}

bool Sweep::TryDeleteFile(const std::wstring& fullPath) {
    try {
        const std::wstring full = FullPath(fullPath);
        const size_t slash = full.find_last_of(L'\\');
        if (slash == std::wstring::npos) throw Win32Error(ERROR_INVALID_NAME, fullPath);
        const Location directory{ExtendedPath(full.substr(0, slash + 1)), DisplayPath(full.substr(0, slash + 1))};
        Impl impl{*this, {}, {}};
        const int32_t failedBefore = failed_;
        impl.Dispose(directory, full.substr(slash + 1));
        return failed_ == failedBefore;
    } catch (const Win32Error&) {
        ++failed_;
        return false;
    }
}

}  // namespace modMain
