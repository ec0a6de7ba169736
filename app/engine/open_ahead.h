#pragma once
// Under Wine a delete run opens each match it will take, and checks it, on the
// reader thread too, ahead of its deletion: that work, several round trips to
// Wine's server per file, overlaps the caller's deletions, which stay in their
// order. Only while the reader has a lead, and within the walk's budget; the
// rest are opened when deleted. A file opened but never deleted (the run
// stopped) is left where it is.
#include "directory_walk.h"
#include "sweep_run.h"

namespace modMain {

// The reader's preparation for this run, or none where it does not pay (not a
// delete run, or not under Wine). It reads run's patterns, judge and onOpenedAhead only.
DirectoryWalk::Prepare OpenAheadFor(const SweepRun& run);

}  // namespace modMain
