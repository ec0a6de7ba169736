#include "folder_pass.h"

#include <algorithm>
#include <string>
#include <utility>
#include "file_removal.h"
#include "recycle_bin.h"

namespace modMain {

void FolderPass::Apply(DirectoryWalk::Directory& directory, int32_t& counter) {
    Pass pass = Started(directory, counter);
    // Each file's matches at once, then worked pattern by pattern, each over the
    // files in listing order: the order a search per pattern would give.
    std::vector<std::pair<size_t, size_t>> matches;   // pattern, file
    for (size_t i = 0; i < directory.files.size(); ++i)
        for (const size_t p : run_.patterns.MatchesOf(directory.files[i].entry.name)) matches.emplace_back(p, i);
    std::sort(matches.begin(), matches.end());
    try {
        for (const auto& [p, i] : matches) {
            if (directory.files[i].taken) continue;
            Handle(directory, i, p, pass, counter);
            run_.YieldOrStop();
        }
    } catch (const SweepStopped&) {
        pass.tried.recount = Recount::None;
        Finish(directory, pass);
        throw;
    }
    Finish(directory, pass);
}

bool FolderPass::HandleOne(DirectoryWalk::Directory& directory, int32_t& counter) {
    Pass pass = Started(directory, counter);
    const bool taken = Handle(directory, 0, 0, pass, counter);
    Finish(directory, pass);
    return taken;
}

// Why the run leaves the file, asked once per file and folder. A preview and a
// recycling run open the file to find links (and files already gone); a delete
// run sees both on the handle it deletes through.
void FolderPass::Judge(const HeldFolder& folder, DirectoryFile& file) const {
    if (file.judged) return;
    file.judged = true;
    file.stay = run_.judge.ByListing(folder, file.entry);
    if (file.stay == StayReason::None && !run_.Deleting())
        file.stay = run_.judge.ByOpening(folder, file.entry.name, file.missing);
}

bool FolderPass::Handle(DirectoryWalk::Directory& directory, size_t index, size_t pattern, Pass& pass,
                        int32_t& counter) {
    const HeldFolder& folder = *directory.folder;
    DirectoryFile& file = directory.files[index];
    Judge(folder, file);
    ++counter;
    const std::wstring path = SweepRun::PathOf(folder, file.entry.name);
    if (file.stay != StayReason::None) {
        ++run_.failed;
        if (run_.options.onStay) run_.options.onStay(path, file.stay);
        return false;
    }
    if (run_.options.onMatch) run_.options.onMatch(path);
    if (run_.Previewing()) {
        run_.freed += file.entry.size;
        file.taken = true;
        return true;
    }
    Take(folder, file, index, pattern, pass);
    return true;
}

// A match the reader could not open ahead (held for a moment by another
// program, say) is opened again now, as it would have been without a lead.
void FolderPass::Take(const HeldFolder& folder, DirectoryFile& file, size_t index, size_t pattern, Pass& pass) {
    Removal removal = Removal::Missing;
    if (!file.missing) {
        if (run_.Recycling()) {
            pass.recycling.push_back(index);
            removal = Removal::Deleted;   // what is left afterwards tells
        } else if (file.openedAhead && file.openedAhead->handle) {
            removal = FileRemover::Remove(*file.openedAhead);
        } else {
            removal = FileRemover::Remove(folder, file.entry.name);
        }
    }
    file.openedAhead.reset();
    file.taken = true;
    pass.tried.files.push_back(TriedFile{file.entry.name, pattern, removal});
    pass.tried.files.back().size = file.entry.size;
}

// Sends the waiting files to the Recycle Bin in one shell operation, each only
// if its path still reaches the file listed; then the folder is read again.
void FolderPass::Finish(DirectoryWalk::Directory& directory, Pass& pass) {
    if (pass.tried.files.empty()) return;
    if (!pass.recycling.empty()) {
        std::vector<std::wstring> names;
        names.reserve(pass.recycling.size());
        for (size_t i : pass.recycling) {
            const FileEntry& entry = directory.files[i].entry;
            if (PathStillReaches(*directory.folder, entry)) names.push_back(entry.name);
        }
        MoveToRecycleBin(directory.folder->shown, names);
    }
    ledger_.Ask(std::move(pass.tried));
}

}  // namespace modMain
