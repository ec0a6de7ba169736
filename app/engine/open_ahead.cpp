#include "open_ahead.h"

#include "file_removal.h"
#include "own_name.h"

namespace modMain {

DirectoryWalk::Prepare OpenAheadFor(const SweepRun& run) {
    if (!run.Deleting() || !LinksLookLikeFiles()) return {};
    return [&run](DirectoryWalk::Directory& directory, size_t budget) {
        size_t opened = 0;
        for (DirectoryFile& file : directory.files) {
            if (opened == budget) break;
            if (run.judge.ByListing(*directory.folder, file.entry) != StayReason::None ||
                !run.patterns.AnyMatches(file.entry.name))
                continue;
            file.openedAhead = FileRemover::Open(*directory.folder, file.entry.name);
            if (file.openedAhead->handle) ++opened;
        }
        if (opened > 0 && run.options.onOpenedAhead) run.options.onOpenedAhead(directory.folder->shown, opened);
        return opened;
    };
}

}  // namespace modMain
