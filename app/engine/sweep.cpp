#include "sweep.h"

#include <utility>
#include "command_line.h"
#include "directory_listing.h"
#include "file_removal.h"
#include "long_path.h"
#include "recycle_bin.h"
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

bool StillThere(const Location& directory, const std::wstring& name) {
    return ::GetFileAttributesW((AddSlash(directory.extended) + name).c_str()) != INVALID_FILE_ATTRIBUTES ||
           ::GetLastError() != ERROR_FILE_NOT_FOUND;
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

    bool Recycling() const { return sweep.options_.action == SweepAction::Recycle; }

    // Whether the file is gone for the patterns that follow.
    bool Dispose(const Location& directory, const std::wstring& name, DWORD attributes) {
        if (sweep.options_.action == SweepAction::Preview) return true;
        if (Recycling()) {
            if (!StillThere(directory, name)) {   // already gone, as a deletion would find it
                ++sweep.failed_;
                return true;
            }
            if (!KeptReadOnly(attributes)) MoveToRecycleBin(directory.shown, {name});
            if (!StillThere(directory, name)) return true;
            ++sweep.failed_;
            return false;
        }
        const Removal removal = remover.Remove(directory.extended, name);
        if (removal == Removal::Deleted) return true;
        ++sweep.failed_;
        return removal == Removal::Missing;
    }

    // A read-only file stays where it is in every kind of run: DeleteFile refuses
    // it, and the Recycle Bin, which would take it, is not asked.
    static bool KeptReadOnly(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_READONLY) != 0; }

    void Count(const Location& directory, const FileEntry& file, int32_t& found, int32_t* fileCounter) {
        ++found;
        if (fileCounter) ++*fileCounter;
        if (sweep.options_.onMatch) sweep.options_.onMatch(AddSlash(directory.shown) + file.name);
    }

    // Each pattern in list order over the directory's files, as a search per
    // pattern would see them: a file deleted by an earlier pattern is not found
    // again, one that stayed is. Recycling, the counted files wait and go to the
    // Recycle Bin together once the last pattern is done (or the sweep stops).
    int32_t Apply(const Location& directory, const std::vector<FileEntry>& files, int32_t* fileCounter) {
        std::vector<bool> gone(files.size(), false);
        std::vector<size_t> recycling;
        int32_t found = 0;
        try {
            for (const WildcardPattern& pattern : patterns) {
                if (!pattern.CanMatch()) continue;
                for (size_t i = 0; i < files.size(); ++i) {
                    if (gone[i] || !pattern.Matches(files[i].name)) continue;
                    Count(directory, files[i], found, fileCounter);
                    if (!Recycling()) {
                        gone[i] = Dispose(directory, files[i].name, files[i].attributes);
                    } else if (KeptReadOnly(files[i].attributes)) {
                        ++sweep.failed_;
                    } else {
                        recycling.push_back(i);
                        gone[i] = true;
                    }
                    YieldOrStop();
                }
            }
        } catch (const SweepStopped&) {
            RecycleWaiting(directory, files, recycling, nullptr, nullptr);
            throw;
        }
        RecycleWaiting(directory, files, recycling, &found, fileCounter);
        return found;
    }

    // One shell operation for the directory's waiting files. A file still there
    // afterwards failed; a normal run would then find it again with every later
    // pattern that matches it, and fail again, so (unless the sweep is stopping,
    // found is null) those are counted too.
    void RecycleWaiting(const Location& directory, const std::vector<FileEntry>& files,
                        const std::vector<size_t>& waiting, int32_t* found, int32_t* fileCounter) {
        if (waiting.empty()) return;
        std::vector<std::wstring> names;
        names.reserve(waiting.size());
        for (size_t i : waiting) names.push_back(files[i].name);
        MoveToRecycleBin(directory.shown, names);
        for (size_t i : waiting) {
            if (!StillThere(directory, files[i].name)) continue;
            ++sweep.failed_;
            if (!found) continue;
            bool first = true;
            for (const WildcardPattern& pattern : patterns) {
                if (!pattern.CanMatch() || !pattern.Matches(files[i].name)) continue;
                if (!std::exchange(first, false)) {
                    Count(directory, files[i], *found, fileCounter);
                    ++sweep.failed_;
                }
            }
        }
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
    : host_(host), patterns_(patterns), options_(std::move(options)) {}

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
        const std::wstring name = full.substr(slash + 1);
        impl.Dispose(directory, name, ::GetFileAttributesW((AddSlash(directory.extended) + name).c_str()));
        return failed_ == failedBefore;
    } catch (const Win32Error&) {
        ++failed_;
        return false;
    }
}

}  // namespace modMain
