#include "sweep.h"

#include <deque>
#include <memory>
#include <utility>
#include "command_line.h"
#include "directory_listing.h"
#include "directory_walk.h"
#include "file_removal.h"
#include "leftover_check.h"
#include "long_path.h"
#include "recycle_bin.h"
#include "error.h"

namespace modMain {
namespace {

// An empty path would otherwise mean the current directory (or, joined to a
// pattern, the current drive's root); it names no directory.
Location Resolve(const std::wstring& path) {
    if (path.find_first_not_of(L' ') == std::wstring::npos) throw win32::Error::FromWin32(ERROR_PATH_NOT_FOUND, path);
    const std::wstring full = FullPath(path);
    return {ExtendedPath(full), DisplayPath(full)};
}

std::vector<WildcardPattern> Compile(const FileCollection& patterns) {
    std::vector<WildcardPattern> compiled;
    compiled.reserve(static_cast<size_t>(patterns.Count()));
    for (const cFileItem& item : patterns) compiled.emplace_back(item.Path);
    return compiled;
}

// One file of the directory being worked on, as the patterns go over it.
struct FileState {
    bool judged = false;
    StayReason stay = StayReason::None;
    bool missing = false;   // found gone when judged
    bool gone = false;      // tried (in a preview: would be): the later patterns pass it by,
                            // and Finish counts them for it if it is still there
};

// A file the run tried, to be looked for once the directory is done: still there,
// it failed; gone, it was deleted if the platform said so, else something else
// removed it (the platform found no such file, or refused because another
// deletion of it was under way).
struct Taken {
    size_t file;
    size_t pattern;       // the pattern that took it
    bool accepted;        // the platform accepted its deletion
};

// The files a directory's work tried, waiting for the answer to which are still
// there (LeftoverCheck).
struct PendingCheck {
    Location directory;
    std::vector<std::wstring> names;   // by taken file
    std::vector<Taken> taken;
    int32_t* fileCounter;              // what later patterns' matches of a file that stayed add to;
                                       // null for the directory the sweep stopped in
};

// A directory's work: each file's state, what waits for the Recycle Bin, what to check.
struct DirectoryWork {
    explicit DirectoryWork(size_t files, std::vector<OpenedFile>* opened = nullptr) : state(files), opened(opened) {}
    std::vector<FileState> state;
    std::vector<OpenedFile>* opened;   // files opened for deletion ahead, by index (or none)
    std::vector<size_t> recycling;
    std::vector<Taken> taken;
};

}  // namespace

// The state of one call: the patterns, compiled once, the remover and the judge.
struct Sweep::Impl {
    Impl(Sweep& owner, std::vector<WildcardPattern> compiled)
        : sweep(owner), patterns(std::move(compiled)), judge(owner.options_.action == SweepAction::Recycle) {}

    // At most this many directories wait for their leftover check before the sweep waits for one.
    static constexpr size_t kPendingChecks = 32;

    Sweep& sweep;
    std::vector<WildcardPattern> patterns;
    FileRemover remover;
    RemovalJudge judge;
    // A delete run's walk reads its directories again on a thread of its own;
    // recycling runs (which recycle first) and the one-directory calls read in line.
    std::unique_ptr<LeftoverCheck> leftovers;
    std::deque<PendingCheck> pending;

    void YieldOrStop() {
        if (!sweep.host_.Yield()) throw SweepStopped();
    }

    bool Recycling() const { return sweep.options_.action == SweepAction::Recycle; }
    bool Previewing() const { return sweep.options_.preview; }

    // Why the run leaves the file, asked once per file and directory. A preview and
    // a recycling run open the file to find links (and files already gone); a
    // delete run sees both on the handle it deletes through.
    void Judge(const Location& directory, const FileEntry& file, FileState& state) {
        if (state.judged) return;
        state.judged = true;
        state.stay = judge.ByListing(directory.shown, file);
        if (state.stay == StayReason::None && (Previewing() || Recycling()))
            state.stay = judge.ByOpening(directory.extended, file.name, state.missing);
    }

    // One match: counted, reported, then taken (deleted, or left to wait for the
    // Recycle Bin) unless the run leaves it.
    void Handle(const Location& directory, const std::vector<FileEntry>& files, size_t i, size_t pattern,
                DirectoryWork& work, int32_t& found, int32_t* fileCounter) {
        FileState& state = work.state[i];
        Judge(directory, files[i], state);
        ++found;
        if (fileCounter) ++*fileCounter;
        if (state.stay != StayReason::None) {
            ++sweep.failed_;
            if (sweep.options_.onStay) sweep.options_.onStay(AddSlash(directory.shown) + files[i].name, state.stay);
            return;
        }
        if (sweep.options_.onMatch) sweep.options_.onMatch(AddSlash(directory.shown) + files[i].name);
        if (Previewing()) {
            state.gone = true;
            return;
        }
        Take(directory, files[i], i, pattern, work);
    }

    // Whether the reader thread opened the directory's file i for its deletion.
    static bool OpenedAhead(const DirectoryWork& work, size_t i) {
        return work.opened != nullptr && i < work.opened->size() && (*work.opened)[i].prepared;
    }

    void Take(const Location& directory, const FileEntry& file, size_t i, size_t pattern, DirectoryWork& work) {
        FileState& state = work.state[i];
        Removal removal = Removal::Missing;
        if (!state.missing) {
            if (Recycling()) {
                work.recycling.push_back(i);
                removal = Removal::Deleted;
            } else {
                removal = OpenedAhead(work, i) ? remover.Remove((*work.opened)[i])
                                               : remover.Remove(directory.extended, file.name);
            }
        }
        state.gone = true;
        work.taken.push_back(Taken{i, pattern, removal == Removal::Deleted});
    }

    // Each pattern in list order over the directory's files, as a search per
    // pattern would see them: a file deleted by an earlier pattern is not found
    // again, one that stayed is. Recycling, the taken files wait and go to the
    // Recycle Bin together once the last pattern is done (or the sweep stops).
    int32_t Apply(const Location& directory, const std::vector<FileEntry>& files, int32_t* fileCounter,
                  std::vector<OpenedFile>* opened = nullptr) {
        DirectoryWork work(files.size(), opened);
        int32_t found = 0;
        try {
            for (size_t p = 0; p < patterns.size(); ++p) {
                if (!patterns[p].CanMatch()) continue;
                for (size_t i = 0; i < files.size(); ++i) {
                    if (work.state[i].gone || !patterns[p].Matches(files[i].name)) continue;
                    Handle(directory, files, i, p, work, found, fileCounter);
                    YieldOrStop();
                }
            }
        } catch (const SweepStopped&) {
            Finish(directory, files, work, nullptr, nullptr);
            throw;
        }
        Finish(directory, files, work, &found, fileCounter);
        return found;
    }

    // Sends the waiting files to the Recycle Bin in one shell operation, then reads
    // the directory once more (in line, or on the leftover check's thread): a tried
    // file still there failed. A per-pattern search would have found it again with
    // every later pattern that matches it, and failed again, so (unless the sweep is
    // stopping: found is null) those matches are counted too.
    void Finish(const Location& directory, const std::vector<FileEntry>& files, const DirectoryWork& work,
                int32_t* found, int32_t* fileCounter) {
        if (work.taken.empty()) return;
        if (!work.recycling.empty()) {
            std::vector<std::wstring> names;
            names.reserve(work.recycling.size());
            for (size_t i : work.recycling) names.push_back(files[i].name);
            MoveToRecycleBin(directory.shown, names);
        }
        std::vector<std::wstring> names;
        names.reserve(work.taken.size());
        for (const Taken& taken : work.taken) names.push_back(files[taken.file].name);
        if (leftovers) {
            leftovers->Ask(directory, names);
            pending.push_back(PendingCheck{directory, std::move(names), work.taken, found ? fileCounter : nullptr});
            return;
        }
        Settle(directory, names, work.taken, StillThere(directory, names), found, fileCounter);
    }

    // Counts what a directory's tried files came to, now that it is known which are
    // still there. With neither counter (a stop) a file that stayed is not counted again.
    void Settle(const Location& directory, const std::vector<std::wstring>& names, const std::vector<Taken>& taken,
                const std::vector<bool>& still, int32_t* found, int32_t* fileCounter) {
        const bool recount = found != nullptr || fileCounter != nullptr;
        for (size_t k = 0; k < taken.size(); ++k) {
            if (!still[k]) {
                if (!taken[k].accepted) ++sweep.alreadyGone_;
                continue;
            }
            ++sweep.failed_;
            if (!recount) continue;
            for (size_t p = taken[k].pattern + 1; p < patterns.size(); ++p) {
                if (!patterns[p].CanMatch() || !patterns[p].Matches(names[k])) continue;
                if (found) ++*found;
                if (fileCounter) ++*fileCounter;
                ++sweep.failed_;
                if (sweep.options_.onMatch) sweep.options_.onMatch(AddSlash(directory.shown) + names[k]);
            }
        }
    }

    // Settles the checks answered so far; waits for the oldest while too many wait.
    void SettleAnswered() {
        while (!pending.empty()) {
            std::optional<std::vector<bool>> still = leftovers->Ready();
            if (!still && pending.size() <= kPendingChecks) return;
            SettleFront(still ? std::move(*still) : leftovers->Wait());
        }
    }

    // Waits for every check still out: what the run did counts before it ends,
    // and before a stop or failure is reported.
    void SettleAll() {
        while (!pending.empty()) SettleFront(leftovers->Wait());
    }

    void SettleFront(const std::vector<bool>& still) {
        const PendingCheck& check = pending.front();
        Settle(check.directory, check.names, check.taken, still, nullptr, check.fileCounter);
        pending.pop_front();
    }

    int32_t ApplyToFolder(const std::wstring& path) {
        const Location directory = Resolve(path);
        return Apply(directory, ListDirectory(directory.extended, directory.shown).files, nullptr);
    }

    // One file by itself, as the one match of its directory; true when it went.
    bool DisposeOne(const Location& directory, const std::wstring& name) {
        FileEntry file{name, 0};
        if (NameMeansOneFile(name)) {
            const DWORD attributes = ::GetFileAttributesW((AddSlash(directory.extended) + name).c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES) file.attributes = attributes;
        }
        DirectoryWork work(1);
        FileState& state = work.state[0];
        Judge(directory, file, state);
        if (state.stay != StayReason::None) {
            ++sweep.failed_;
            return false;
        }
        if (Previewing()) return true;
        const int32_t failedBefore = sweep.failed_;
        const int32_t goneBefore = sweep.alreadyGone_;
        Take(directory, file, 0, 0, work);
        Finish(directory, {file}, work, nullptr, nullptr);
        return sweep.failed_ == failedBefore && sweep.alreadyGone_ == goneBefore;
    }

    // Pre-order, depth first: the directories come listed from a reader thread
    // (directory_walk.h), so the listing of the next ones overlaps this work.
    // A delete run's leftover checks overlap the next directories' work; they are
    // all settled before the walk returns or throws.
    void Walk(const Location& start, int32_t& directories, int32_t& files) {
        if (!Recycling() && !Previewing()) leftovers = std::make_unique<LeftoverCheck>();
        try {
            DirectoryWalk walk(start, OpenAhead());
            DirectoryWalk::Directory directory;
            for (bool first = true; walk.Next(directory); first = false) {
                if (leftovers) SettleAnswered();
                if (!first) YieldOrStop();   // before each subdirectory is entered
                // Read ahead, so it may have gone since: then the sweep ends as its listing would have.
                EnsureDirectoryExists(directory.location.extended, directory.location.shown);
                ++directories;
                sweep.host_.SetCaption(L"Scourway - " + directory.location.shown);
                YieldOrStop();
                Apply(directory.location, directory.files, &files, &directory.opened);
            }
        } catch (...) {
            if (leftovers) SettleAll();
            throw;
        }
        if (leftovers) SettleAll();
    }

    // Under Wine a delete run opens each file it will take, and checks its name,
    // on the reader thread too, ahead of the deletion (when the reader has a lead
    // and as many as the walk's budget allows; the rest are opened when deleted):
    // that work overlaps this thread's deletions, which stay in their order. A
    // file opened but never deleted (the run stopped) is left.
    DirectoryWalk::Prepare OpenAhead() {
        if (Recycling() || Previewing() || !LinksLookLikeFiles()) return {};
        return [this, remover = std::make_shared<FileRemover>()](DirectoryWalk::Directory& directory, size_t budget) {
            size_t opened = 0;
            if (budget == 0) return opened;
            directory.opened.resize(directory.files.size());
            for (size_t i = 0; i < directory.files.size() && opened < budget; ++i) {
                const FileEntry& file = directory.files[i];
                if (judge.ByListing(directory.location.shown, file) != StayReason::None || !AnyPatternMatches(file.name))
                    continue;
                directory.opened[i] = remover->Open(directory.location.extended, file.name);
                if (directory.opened[i].handle) ++opened;
            }
            return opened;
        };
    }

    bool AnyPatternMatches(const std::wstring& name) const {
        for (const WildcardPattern& pattern : patterns)
            if (pattern.CanMatch() && pattern.Matches(name)) return true;
        return false;
    }
};

Sweep::Sweep(SweepHost& host, const FileCollection& patterns, SweepOptions options)
    : host_(host), patterns_(patterns), options_(std::move(options)) {}

void Sweep::SweepFolder(const std::wstring& path, int32_t& directories, int32_t& files) {
    Impl impl(*this, Compile(patterns_));
    impl.Walk(Resolve(path), directories, files);
}

int32_t Sweep::DeleteMatchesInFolder(const std::wstring& directory) {
    Impl impl(*this, Compile(patterns_));
    return impl.ApplyToFolder(directory);
}

int32_t Sweep::DeletePatternMatches(const std::wstring& directory, const std::wstring& pattern) {
    Impl impl(*this, {WildcardPattern(pattern)});
    return impl.ApplyToFolder(directory);
}

bool Sweep::TryDeleteFile(const std::wstring& fullPath) {
    try {
        const std::wstring full = FullPath(fullPath);
        const size_t slash = full.find_last_of(L'\\');
        if (slash == std::wstring::npos) throw win32::Error::FromWin32(ERROR_INVALID_NAME, fullPath);
        const Location directory{ExtendedPath(full.substr(0, slash + 1)), DisplayPath(full.substr(0, slash + 1))};
        Impl impl(*this, {});
        return impl.DisposeOne(directory, full.substr(slash + 1));
    } catch (const win32::Error&) {
        ++failed_;
        return false;
    }
}

}  // namespace modMain
