#pragma once
// The recursive sweep: from one directory down, every file whose long name
// matches a pattern of the list is counted and deleted. The sweep reaches its
// caller only through a SweepHost: the folder it enters, and a yield.
//
// Threads, and who owns what:
// - The caller's thread runs SweepFolder and is the only one that calls the
//   SweepHost and the SweepOptions callbacks (but onOpenedAhead), counts, and
//   deletes or recycles (folder_pass.h: the pass over one folder's matches,
//   pattern by pattern).
// - The reader thread (directory_walk.h) opens each folder below the start
//   through its parent's handle, lists it and hands it on, at most 32 ahead. In a
//   delete run under Wine, once it has a lead, it also opens each folder's
//   matches ahead (open_ahead.h). It reads only what it is handed at its start:
//   the compiled patterns, the judge's listing rules and onOpenedAhead, all
//   unchanged during the run. What it opens belongs to the folder record it
//   hands on; after the hand-off (DirectoryWalk::Next) the record is the
//   caller's alone.
// - The leftover thread (leftover_check.h, delete runs' walks only) reads each
//   folder once more after the caller's deletions there. A TriedFolder record
//   goes to it whole (LeftoverCheck::Ask) and comes back whole with its answer
//   (Ready/Wait); the caller settles the counts from it, and every record is
//   settled before the walk returns, stops or fails.
// Held folders (held_folder.h) are shared by all three through FolderRef and
// never change once made; each folder's handle closes when the last of them
// lets go.
#include <windows.h>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include "file_eligibility.h"
#include "file_removal.h"
#include "pattern_list.h"
#include "removal_judge.h"
#include "wildcard.h"

// <winbase.h> defines Yield() as an empty macro, which would erase SweepHost::Yield.
#ifdef Yield
#undef Yield
#endif

namespace modMain {

class SweepHost {
public:
    // The folder whose files are processed next: its full path as the user knows it.
    virtual void EnterFolder(const std::wstring& folder) = 0;
    // Lets the message loop run. False asks the sweep to stop (it throws SweepStopped).
    virtual bool Yield() = 0;

protected:
    ~SweepHost() = default;
};

// Thrown out of the sweep when the host's Yield asked it to stop.
class SweepStopped : public std::exception {
public:
    const char* what() const noexcept override { return "The sweep was stopped."; }
};

enum class SweepAction {
    Delete,    // each match deleted through its own handle, opened through its folder's
    Recycle,   // matches go to the Recycle Bin, one shell operation per directory
};

struct SweepOptions {
    SweepAction action = SweepAction::Delete;
    // Called with the full path (as shown to the user: no \\?\ prefix) of every
    // counted file that the run takes on, before it is deleted.
    std::function<void(const std::wstring& fullPath)> onMatch;
    // Nothing is deleted: the sweep only tells what a run of this action would do.
    // A file it would take counts as deleted for the later patterns, so onMatch
    // and onStay see exactly what the run's would.
    bool preview = false;
    // Called instead of onMatch for every counted file that the run leaves where it
    // is for a reason known beforehand (see removal_judge.h); it counts as a failed
    // deletion, and every later pattern that matches it finds it again.
    std::function<void(const std::wstring& fullPath, StayReason reason)> onStay;
    // Called once for every match the run's own deletion (or move) removed, when
    // its name is found gone; and once for every match the run tried that is
    // still there (with what the platform said: Kept refused, Held in use,
    // Deleted accepted but not done). A preview calls neither.
    std::function<void(const std::wstring& fullPath)> onGone;
    std::function<void(const std::wstring& fullPath, Removal said)> onLeft;
    // The files the patterns are tried on (/OLDER's limit, the run's own log).
    FileEligibility eligible;
    // Called on the reader thread, the one callback that is, when it has opened
    // matches of a folder ahead of their deletion: the folder's full path and how
    // many. It lets a test wait for the reader's lead instead of guessing it.
    std::function<void(const std::wstring& folder, size_t opened)> onOpenedAhead;
};

class Sweep {
public:
    // The sweep reads patterns as it goes: they must outlive it and stay unchanged.
    Sweep(SweepHost& host, const FileCollection& patterns, SweepOptions options = {});
    Sweep(SweepHost& host, FileCollection&& patterns, SweepOptions options = {}) = delete;

    // Walks path and everything below it, pre-order and depth first, adding 1 to
    // directories per directory entered and 1 to files per match, before its deletion.
    // The start is opened once (through a link if path is one); everything below
    // it is reached through its parent's handle, and links and junctions are not
    // entered. Each directory is handed to EnterFolder; Yield runs once before its
    // files, after every match, and before each subdirectory is entered.
    // A match that another program held, or whose accepted deletion had not
    // happened yet, is looked at again at the end, for up to kLateCheckMs.
    // Throws win32::Error (with the directory as subject; an empty or blank path is
    // ERROR_PATH_NOT_FOUND) or SweepStopped. The counters keep what was added.
    void SweepFolder(const std::wstring& path, int32_t& directories, int32_t& files);

    // Matches of every pattern, in list order, in one directory (read once).
    int32_t DeleteMatchesInFolder(const std::wstring& directory);
    // Matches of one pattern in one directory: each counted, then deleted.
    int32_t DeletePatternMatches(const std::wstring& directory, const std::wstring& pattern);
    // Deletes (or recycles) one file; true when this call removed it (in a
    // preview, which deletes nothing: when a run would take it). Any failure is absorbed and counted in FailedDeletions, a file
    // that is not there in AlreadyGone.
    bool TryDeleteFile(const std::wstring& fullPath);

    // Counted matches that are still there after the run (in a preview: that a run
    // would leave for a reason known beforehand). A file counts as deleted only
    // when its name is gone from its directory afterwards.
    int32_t FailedDeletions() const noexcept { return failed_; }
    // Counted matches that were gone before the run could delete them: something
    // else removed them meanwhile (another run, say). Neither deleted by the run nor failed.
    int32_t AlreadyGone() const noexcept { return alreadyGone_; }
    // The listed sizes of the matches the run removed (in a preview: would remove).
    ULONGLONG FreedBytes() const noexcept { return freed_; }

    static constexpr DWORD kLateCheckMs = 2000;

private:
    struct Impl;
    SweepHost& host_;
    const FileCollection& patterns_;
    SweepOptions options_;
    int32_t failed_ = 0;
    int32_t alreadyGone_ = 0;
    ULONGLONG freed_ = 0;
};

// MatchesPattern and IsPlainPattern: see wildcard.h.

}  // namespace modMain
