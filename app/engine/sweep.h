#pragma once
// The recursive sweep: from one directory down, every file whose long name
// matches a pattern of the list is counted and deleted. The sweep reaches its
// caller only through a SweepHost: a caption to show and a yield.
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include "pattern_list.h"
#include "wildcard.h"

// <winbase.h> defines Yield() as an empty macro, which would erase SweepHost::Yield.
#ifdef Yield
#undef Yield
#endif

namespace modMain {

class SweepHost {
public:
    // The folder being processed, as "Scourway - " + its full path.
    virtual void SetCaption(const std::wstring& caption) = 0;
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
    Delete,    // DeleteFile
    Preview,   // nothing is deleted; every match is reported to onMatch
    Recycle,   // matches go to the Recycle Bin, one shell operation per directory
};

struct SweepOptions {
    SweepAction action = SweepAction::Delete;
    // Called with the full path of every file the sweep counts, before it is deleted
    // (as shown to the user: no \\?\ prefix). In Preview a counted file counts as
    // deleted for the later patterns, so a preview lists exactly what a run deletes.
    std::function<void(const std::wstring& fullPath)> onMatch;
};

class Sweep {
public:
    // The sweep reads patterns as it goes: they must outlive it and stay unchanged.
    Sweep(SweepHost& host, const FileCollection& patterns, SweepOptions options = {});
    Sweep(SweepHost& host, FileCollection&& patterns, SweepOptions options = {}) = delete;

    // Walks path and everything below it, pre-order and depth first, adding 1 to
    // directories per directory entered and 1 to files per match, before its deletion.
    // Links and junctions to directories are not entered. Each directory is
    // shown as "Scourway - " + its full path; Yield runs once before its files,
    // after every match, and before each subdirectory is entered.
    // Throws Win32Error (with the directory as subject; an empty or blank path is
    // ERROR_PATH_NOT_FOUND) or SweepStopped. The counters keep what was added.
    void SweepFolder(const std::wstring& path, int32_t& directories, int32_t& files);

    // Matches of every pattern, in list order, in one directory (read once).
    int32_t DeleteMatchesInFolder(const std::wstring& directory);
    // Matches of one pattern in one directory: each counted, then deleted.
    int32_t DeletePatternMatches(const std::wstring& directory, const std::wstring& pattern);
    // Deletes (or recycles) one file (in Preview: nothing, and true); any failure
    // is absorbed and counted in FailedDeletions. Read-only files are never
    // recycled, as they are never deleted.
    bool TryDeleteFile(const std::wstring& fullPath);

    // Counted matches whose deletion failed.
    int32_t FailedDeletions() const noexcept { return failed_; }

private:
    struct Impl;
    SweepHost& host_;
    const FileCollection& patterns_;
    SweepOptions options_;
    int32_t failed_ = 0;
};

// MatchesPattern and IsPlainPattern: see wildcard.h.

}  // namespace modMain
