#pragma once
// What one run's parts share: the host, the options, the compiled patterns, the
// judge and the counts. Only the caller's thread changes it; the reader thread
// reads the patterns and the judge, which never change during a run.
#include <cstdint>
#include <string>
#include "command_line.h"
#include "held_folder.h"
#include "removal_judge.h"
#include "sweep.h"
#include "pattern_set.h"
#include "program_paths.h"

namespace modMain {

struct SweepRun {
    SweepRun(SweepHost& host, const SweepOptions& options, PatternSet patterns, int32_t& failed, int32_t& alreadyGone,
             ULONGLONG& freed)
        : host(host), options(options), patterns(std::move(patterns)),
          judge(options.action == SweepAction::Recycle), failed(failed), alreadyGone(alreadyGone), freed(freed) {}

    SweepHost& host;
    const SweepOptions& options;
    const PatternSet patterns;
    const RemovalJudge judge;
    int32_t& failed;         // counted matches still there afterwards
    int32_t& alreadyGone;    // counted matches something else removed
    ULONGLONG& freed;        // listed bytes of the matches the run removed

    bool Recycling() const { return options.action == SweepAction::Recycle; }
    bool Previewing() const { return options.preview; }
    bool Deleting() const { return !Recycling() && !Previewing(); }
    FolderSharing Sharing() const { return Recycling() ? FolderSharing::Pinned : FolderSharing::Open; }

    void YieldOrStop() {
        if (!host.Yield()) throw SweepStopped();
    }

    static std::wstring PathOf(const HeldFolder& folder, const std::wstring& name) {
        return AddSlash(folder.shown) + name;
    }
};

}  // namespace modMain
