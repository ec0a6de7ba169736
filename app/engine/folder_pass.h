#pragma once
// The caller's pass over one listed folder: each pattern in list order over the
// folder's files, as a search per pattern would see them (a file taken by an
// earlier pattern is not found again, one that stays is), each match counted,
// reported, then deleted through its folder's handle or, recycling, left to go
// to the Recycle Bin with the folder's others once the last pattern is done (or
// the sweep stops). What was tried goes to the ledger to be settled.
#include <cstdint>
#include <vector>
#include "directory_walk.h"
#include "leftover_ledger.h"
#include "sweep_run.h"

namespace modMain {

class FolderPass {
public:
    FolderPass(SweepRun& run, LeftoverLedger& ledger) : run_(run), ledger_(ledger) {}

    // Adds 1 to counter per match (and, once settled, per later pattern that
    // finds a match that stayed). Throws SweepStopped from the host's yield, after
    // handing what it tried to the ledger.
    void Apply(DirectoryWalk::Directory& directory, int32_t& counter);

    // One match by itself; false when the run leaves it for a known reason.
    bool HandleOne(DirectoryWalk::Directory& directory, int32_t& counter);

private:
    // What the pass collected: the tried files for the ledger, and the files
    // that wait for the Recycle Bin (by index into the folder's files).
    struct Pass {
        TriedFolder tried;
        std::vector<size_t> recycling;
    };

    static Pass Started(const DirectoryWalk::Directory& directory, int32_t& counter) {
        Pass pass;
        pass.tried.folder = directory.folder;
        pass.tried.counter = &counter;
        return pass;
    }
    void Judge(const HeldFolder& folder, DirectoryFile& file) const;
    // Counts and reports the match, then takes it; false when it stays.
    bool Handle(DirectoryWalk::Directory& directory, size_t file, size_t pattern, Pass& pass, int32_t& counter);
    void Take(const HeldFolder& folder, DirectoryFile& file, size_t index, size_t pattern, Pass& pass);
    void Finish(DirectoryWalk::Directory& directory, Pass& pass);

    SweepRun& run_;
    LeftoverLedger& ledger_;
};

}  // namespace modMain
