#pragma once
// The recursive sweep: from one directory down, every file whose long name
// matches a pattern of the list is counted and deleted. The sweep reaches its
// caller only through a SweepHost: a caption to show and a yield.
#include <cstdint>
#include <functional>
#include <string>
#include "pattern_list.h"

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
    Recycle,   // matches go to the Recycle Bin
};

struct SweepOptions {
    SweepAction action = SweepAction::Delete;
    // Called with the full path of every file the sweep counts, before it is deleted.
    std::function<void(const std::wstring& fullPath)> onMatch;
};

class Sweep {
public:
    Sweep(SweepHost& host, const FileCollection& patterns, SweepOptions options = {});

    // Walks path and everything below it, pre-order and depth first, adding 1 to
    // directories per directory entered and the matches found to files.
    // Throws Win32Error (with the directory as subject) or SweepStopped.
    void SweepFolder(const std::wstring& path, int32_t& directories, int32_t& files);

    // Matches of every pattern, in list order, in one directory.
    int32_t DeleteMatchesInFolder(const std::wstring& directory);
    // Matches of one pattern in one directory: each counted, then deleted.
    int32_t DeletePatternMatches(const std::wstring& directory, const std::wstring& pattern);
    // Deletes one file; any failure is absorbed (and counted in FailedDeletions).
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

// Whether a long file name matches a pattern under the platform's wildcard rules
// ("*", "?", "." and their DOS forms), ignoring letter case. Short 8.3 aliases play no part.
bool MatchesPattern(std::wstring_view name, std::wstring_view pattern);

// Patterns with a directory part or a drive ("\", "/" or ":") are applied nowhere.
bool IsPlainPattern(std::wstring_view pattern);

}  // namespace modMain
