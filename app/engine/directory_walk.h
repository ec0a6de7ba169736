#pragma once
// The folders from a held start folder down, in pre-order and depth first, each
// held open and listed. A reader thread opens and lists them ahead of the
// caller, at most kAhead folders, so that the reading of the next folders
// overlaps the caller's work on this one. Each folder is opened through its
// parent's handle and checked (held_folder.h); links are never entered. The
// walk only opens and reads: what the caller does, and in which order, is its own.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>
#include "directory_listing.h"
#include "file_eligibility.h"
#include "file_removal.h"
#include "held_folder.h"
#include "removal_judge.h"

namespace modMain {

// One file of a listed folder, as the walk hands it on and the sweep works it.
struct DirectoryFile {
    FileEntry entry;
    // What the reader opened for its deletion ahead (see DirectoryWalk::Prepare).
    std::optional<OpenedFile> openedAhead;
    // The sweep's own, once the folder is handed on: how the patterns left it.
    bool judged = false;
    StayReason stay = StayReason::None;
    bool missing = false;   // found gone when judged
    bool taken = false;     // tried (in a preview: would be): later patterns pass it by
};

class DirectoryWalk {
public:
    static constexpr size_t kAhead = 32;
    // Files held open ahead by prepare, at most, in the folders waiting for the
    // caller: each is an open file in Wine's server too.
    static constexpr size_t kOpenedAhead = 512;
    // Prepare opens nothing while fewer folders than this wait for the caller:
    // a caller about to wait is kept busy with bare listings (and opens those
    // files itself), and the reader opens ahead once it has a lead.
    static constexpr size_t kOpenOnceQueued = 4;

    struct Directory {
        FolderRef folder;
        std::vector<DirectoryFile> files;
    };
    // Run on the reader thread for each folder listed, before it is handed on:
    // opens at most budget of its files ahead and says how many it opened.
    using Prepare = std::function<size_t(Directory&, size_t budget)>;

    // start: held by the caller (HoldStart); the folders below are held as sharing
    // says. Each folder's files are only those eligible admits.
    DirectoryWalk(FolderRef start, FolderSharing sharing, Prepare prepare = {}, FileEligibility eligible = {});
    // Stops the reader and waits for it; nothing it read is used.
    ~DirectoryWalk();
    DirectoryWalk(const DirectoryWalk&) = delete;
    DirectoryWalk& operator=(const DirectoryWalk&) = delete;

    // The next folder; false once the last one was given. A folder the reader
    // could not open or list is tried again here, at its turn, since what was
    // read ahead may have met it in the middle of a change: read then, the walk
    // goes on below it (or past it, when it has become a link); failing then,
    // that error is thrown (win32::Error naming it) and the walk gives nothing
    // more. Also throws std::bad_alloc from the reader.
    bool Next(Directory& next);

private:
    // A folder the reader could not read: the parent and entry to open it again
    // by, or the folder it held but could not list.
    struct Unread {
        FolderRef parent;
        SubfolderEntry entry;
        FolderRef folder;
    };
    struct Item {
        Directory directory;
        size_t opened = 0;              // files it holds open
        std::optional<Unread> unread;
    };

    void Read(FolderRef start) noexcept;
    // Queues an item, waiting while the caller is kAhead behind; false when stopping.
    bool Hand(Item item);
    // Hands on a folder the reader could not read and waits for the caller's
    // own reading at its turn: its subfolders, or nothing when the walk ends.
    std::optional<std::pair<FolderRef, std::vector<SubfolderEntry>>> HandUnread(Unread unread);
    // The caller's reading of a folder the reader could not read: false when it is a link now.
    bool ReadAtItsTurn(Item& item);
    // How many more files prepare may open now: none without a lead.
    size_t OpeningBudget();

    FolderSharing sharing_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Item> ready_;
    size_t openedQueued_ = 0;
    // The answer HandUnread waits for: the folder and its subfolders (no folder: a link now).
    std::optional<std::pair<FolderRef, std::vector<SubfolderEntry>>> readByCaller_;
    bool finished_ = false;         // the reader queued its last folder
    std::exception_ptr failure_;    // what ended the reading early, met after the queued folders
    bool stopping_ = false;         // the caller wants no more
    Prepare prepare_;
    const FileEligibility eligible_;
    std::thread reader_;
};

// A folder's listed files in the form the walk hands on: those eligible admits.
std::vector<DirectoryFile> FilesOf(std::vector<FileEntry> entries, const FileEligibility& eligible = {});

}  // namespace modMain
