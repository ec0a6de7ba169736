#include "leftover_ledger.h"

#include <windows.h>
#include "directory_listing.h"
#include "error.h"
#include "file_removal.h"

namespace modMain {
namespace {

constexpr DWORD kLateRoundMs = 20;

// Whether a held match may still go by itself: another program holds it, or the
// platform accepted its deletion and is only waiting for a last handle to close.
bool MayStillGo(const TriedFile& file) { return file.removal == Removal::Held || file.removal == Removal::Deleted; }

bool StillListed(const HeldFolder& folder, const std::wstring& name) {
    try {
        return FilesStillListed(folder.handle.get(), folder.shown, {name}).front();
    } catch (const win32::Error&) {
        return true;
    }
}

}  // namespace

LeftoverLedger::LeftoverLedger(SweepRun& run, bool ownThread, bool lookAgain)
    : run_(run), check_(ownThread), lookAgain_(lookAgain) {}

void LeftoverLedger::SettleAnswered() {
    for (;;) {
        std::optional<TriedFolder> answered = check_.Ready();
        if (!answered) {
            if (check_.Outstanding() <= kWaiting) break;
            answered = check_.Wait();
        }
        Settle(*answered);
    }
    if (failure_) {
        SettleAll(Ending::Abandoned);
        std::rethrow_exception(failure_);
    }
}

void LeftoverLedger::SettleAll(Ending ending) {
    while (check_.Outstanding() > 0) {
        TriedFolder answered = check_.Wait();
        Settle(answered);
    }
    if (ending == Ending::Abandoned || failure_) {
        SettleLateAsStayed();
        if (ending == Ending::Done) std::rethrow_exception(failure_);
        return;
    }
    LookAgainAtLate();
}

void LeftoverLedger::Settle(TriedFolder& tried) {
    if (tried.failure && !failure_) failure_ = tried.failure;
    for (const TriedFile& file : tried.files) {
        if (!file.stillThere) {
            CountGone(*tried.folder, file);
            continue;
        }
        if (lookAgain_ && tried.recount == Recount::LaterPatterns && MayStillGo(file)) {
            late_.push_back(Late{tried.folder, file, tried.counter});
            continue;
        }
        CountStayed(*tried.folder, file, tried.counter, tried.recount);
    }
}

void LeftoverLedger::CountGone(const HeldFolder& folder, const TriedFile& file) {
    if (file.removal != Removal::Deleted) {
        ++run_.alreadyGone;
        return;
    }
    run_.freed += file.size;
    if (run_.options.onGone) run_.options.onGone(SweepRun::PathOf(folder, file.name));
}

void LeftoverLedger::CountStayed(const HeldFolder& folder, const TriedFile& file, int32_t* counter, Recount recount) {
    ++run_.failed;
    if (run_.options.onLeft) run_.options.onLeft(SweepRun::PathOf(folder, file.name), file.removal);
    if (recount == Recount::None) return;
    for (const size_t p : run_.patterns.MatchesOf(file.name)) {
        if (p <= file.pattern) continue;
        ++*counter;
        ++run_.failed;
        if (run_.options.onMatch) run_.options.onMatch(SweepRun::PathOf(folder, file.name));
    }
}

// Another run holds the matches it opened ahead until it deletes them; a
// preview holds a file for a moment while it judges it. Either way the file goes
// soon: it is the other program's when it goes by itself, this run's when its
// own accepted deletion completes or a second try now succeeds.
void LeftoverLedger::LookAgainAtLate() {
    const ULONGLONG deadline = ::GetTickCount64() + Sweep::kLateCheckMs;
    try {
        for (;;) {
            std::vector<Late> waiting;
            for (Late& late : late_)
                if (!LateResolved(late)) waiting.push_back(std::move(late));
            late_ = std::move(waiting);
            if (late_.empty() || ::GetTickCount64() >= deadline) break;
            run_.YieldOrStop();
            ::Sleep(kLateRoundMs);
        }
    } catch (const SweepStopped&) {
        SettleLateAsStayed();
        throw;
    }
    SettleLateAsStayed();
}

bool LeftoverLedger::LateResolved(Late& late) {
    if (!StillListed(*late.folder, late.file.name)) {
        CountGone(*late.folder, late.file);
        return true;
    }
    if (late.file.removal == Removal::Held) {
        const Removal again = FileRemover::Remove(*late.folder, late.file.name);
        if (again == Removal::Deleted || again == Removal::Kept) late.file.removal = again;
        if (again == Removal::Kept) {
            CountStayed(*late.folder, late.file, late.counter, Recount::LaterPatterns);
            return true;
        }
    }
    return false;
}

// Their folders' passes were done: each later pattern finds them again.
void LeftoverLedger::SettleLateAsStayed() {
    for (const Late& late : late_) CountStayed(*late.folder, late.file, late.counter, Recount::LaterPatterns);
    late_.clear();
}

}  // namespace modMain
