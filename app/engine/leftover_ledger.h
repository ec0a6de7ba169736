#pragma once
// The caller's side of the leftover checks: every folder's tried files are
// asked (leftover_check.h), and the counts are settled from the answer that
// comes back in the same record. A match another program held, or whose
// accepted deletion had not happened yet when its folder was read again, is
// looked at again once the walk is done.
#include <cstddef>
#include <exception>
#include <vector>
#include "leftover_check.h"
#include "sweep_run.h"

namespace modMain {

class LeftoverLedger {
public:
    // At most this many folders wait for their check before the caller waits for one.
    static constexpr size_t kWaiting = 32;

    // ownThread: read folders again on a thread of their own. lookAgain: a run
    // that ends normally looks again at held matches (delete runs).
    LeftoverLedger(SweepRun& run, bool ownThread, bool lookAgain);

    void Ask(TriedFolder tried) { check_.Ask(std::move(tried)); }
    // Settles the answers in so far; waits for the oldest while too many wait.
    // Throws what a check met, once every answer is settled.
    void SettleAnswered();

    enum class Ending { Done, Abandoned };
    // Settles every answer still out: what the run did counts before it ends, and
    // before a stop or a failure is reported. Done: held matches are looked at
    // again (for up to Sweep::kLateCheckMs, yielding meanwhile), and what a check
    // met is thrown. Abandoned (a stop or a failure is on its way): nothing is
    // waited for but the answers, and nothing is thrown.
    void SettleAll(Ending ending);

private:
    struct Late {
        FolderRef folder;
        TriedFile file;
        int32_t* counter;
    };

    void Settle(TriedFolder& tried);
    // A tried file found gone: the run's when its own deletion was accepted, else already gone.
    void CountGone(const HeldFolder& folder, const TriedFile& file);
    // A file that stayed fails, and each later pattern that matches it finds it again.
    void CountStayed(const HeldFolder& folder, const TriedFile& file, int32_t* counter, Recount recount);
    void LookAgainAtLate();
    bool LateResolved(Late& late);
    void SettleLateAsStayed();

    SweepRun& run_;
    LeftoverCheck check_;
    bool lookAgain_;
    std::vector<Late> late_;
    std::exception_ptr failure_;
};

}  // namespace modMain
