#include "sweep.h"

#include <utility>
#include "directory_walk.h"
#include "error.h"
#include "folder_pass.h"
#include "held_folder.h"
#include "leftover_ledger.h"
#include "long_path.h"
#include "open_ahead.h"
#include "relative_open.h"
#include "sweep_run.h"

namespace modMain {
namespace {

// An empty path would otherwise mean the current directory (or, joined to a
// pattern, the current drive's root); it names no directory.
std::wstring FullPathOf(const std::wstring& path) {
    if (path.find_first_not_of(L' ') == std::wstring::npos) throw win32::Error::FromWin32(ERROR_PATH_NOT_FOUND, path);
    return FullPath(path);
}

PatternSet Compile(const FileCollection& patterns) {
    PatternSet compiled;
    compiled.Reserve(static_cast<size_t>(patterns.Count()));
    for (const cFileItem& item : patterns) compiled.Add(item.Path);
    return compiled;
}

PatternSet CompileOne(const std::wstring& pattern) {
    PatternSet compiled;
    compiled.Add(pattern);
    return compiled;
}

// The file's listing entry, read through its own handle.
FileEntry EntryOf(const HeldFolder& folder, const std::wstring& name) {
    FileEntry entry{name};
    DWORD error = ERROR_SUCCESS;
    const win32::FileHandle file = OpenChildFile(folder.handle.get(), name, FILE_READ_ATTRIBUTES,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, error);
    FILE_BASIC_INFO basic{};
    if (file && ::GetFileInformationByHandleEx(file.get(), FileBasicInfo, &basic, sizeof basic)) {
        entry.attributes = basic.FileAttributes;
        entry.lastWrite = static_cast<ULONGLONG>(basic.LastWriteTime.QuadPart);
        entry.id = FileIdOf(file.get());
    }
    return entry;
}

}  // namespace

// One call's run: its shared state, the ledger and the pass.
struct Sweep::Impl {
    Impl(Sweep& owner, PatternSet compiled, bool walking)
        : run(owner.host_, owner.options_, std::move(compiled), owner.failed_, owner.alreadyGone_, owner.freed_),
          ledger(run, walking && run.Deleting(), run.Deleting()), pass(run, ledger) {}

    SweepRun run;
    LeftoverLedger ledger;
    FolderPass pass;

    // Pre-order, depth first: the folders come held and listed from a reader
    // thread (directory_walk.h), so the reading of the next ones overlaps this
    // work. A delete run's leftover checks overlap the next folders' work; they
    // are all settled before the walk returns or throws.
    void Walk(const std::wstring& path, int32_t& directories, int32_t& files) {
        FolderRef start = HoldStart(FullPathOf(path), run.Sharing());
        try {
            DirectoryWalk walk(std::move(start), run.Sharing(), OpenAheadFor(run), run.options.eligible);
            DirectoryWalk::Directory directory;
            for (bool first = true; walk.Next(directory); first = false) {
                ledger.SettleAnswered();
                if (!first) run.YieldOrStop();   // before each subdirectory is entered
                // Read ahead, so it may have been deleted since: then the sweep ends as its listing would have.
                if (DeletedWhileHeld(directory.folder->handle.get()))
                    throw win32::Error::FromWin32(ERROR_PATH_NOT_FOUND, directory.folder->shown);
                ++directories;
                run.host.EnterFolder(directory.folder->shown);
                run.YieldOrStop();
                pass.Apply(directory, files);
            }
        } catch (...) {
            ledger.SettleAll(LeftoverLedger::Ending::Abandoned);
            throw;
        }
        ledger.SettleAll(LeftoverLedger::Ending::Done);
    }

    int32_t ApplyToFolder(const std::wstring& path) {
        DirectoryWalk::Directory directory{HoldStart(FullPathOf(path), run.Sharing()), {}};
        directory.files = FilesOf(ListDirectory(directory.folder->handle.get(), directory.folder->shown).files,
                                  run.options.eligible);
        int32_t found = 0;
        try {
            pass.Apply(directory, found);
        } catch (...) {
            ledger.SettleAll(LeftoverLedger::Ending::Abandoned);
            throw;
        }
        ledger.SettleAll(LeftoverLedger::Ending::Done);
        return found;
    }

    // One file by itself, as the one match of its folder; true when it went.
    bool DisposeOne(const std::wstring& folderPath, const std::wstring& name) {
        DirectoryWalk::Directory directory{HoldStart(folderPath, run.Sharing()), {}};
        directory.files = FilesOf({EntryOf(*directory.folder, name)});
        const int32_t failedBefore = run.failed;
        const int32_t goneBefore = run.alreadyGone;
        int32_t found = 0;
        if (!pass.HandleOne(directory, found)) return false;
        ledger.SettleAll(LeftoverLedger::Ending::Done);
        return run.failed == failedBefore && run.alreadyGone == goneBefore;
    }
};

Sweep::Sweep(SweepHost& host, const FileCollection& patterns, SweepOptions options)
    : host_(host), patterns_(patterns), options_(std::move(options)) {}

void Sweep::SweepFolder(const std::wstring& path, int32_t& directories, int32_t& files) {
    Impl impl(*this, Compile(patterns_), true);
    impl.Walk(path, directories, files);
}

int32_t Sweep::DeleteMatchesInFolder(const std::wstring& directory) {
    Impl impl(*this, Compile(patterns_), false);
    return impl.ApplyToFolder(directory);
}

int32_t Sweep::DeletePatternMatches(const std::wstring& directory, const std::wstring& pattern) {
    Impl impl(*this, CompileOne(pattern), false);
    return impl.ApplyToFolder(directory);
}

bool Sweep::TryDeleteFile(const std::wstring& fullPath) {
    try {
        const std::wstring full = FullPath(fullPath);
        const size_t slash = full.find_last_of(L'\\');
        if (slash == std::wstring::npos || slash + 1 == full.size())
            throw win32::Error::FromWin32(ERROR_INVALID_NAME, fullPath);
        Impl impl(*this, {}, false);
        return impl.DisposeOne(full.substr(0, slash + 1), full.substr(slash + 1));
    } catch (const win32::Error&) {
        ++failed_;
        return false;
    }
}

}  // namespace modMain
