#pragma once
// The directories from a start directory down, in pre-order and depth first,
// each with its files. A reader thread lists them ahead of the caller, at most
// kAhead directories, so that the reading of the next directories overlaps the
// caller's work on this one. The walk only reads: what the caller does, and in
// which order, is unchanged. Links and junctions to directories are not entered.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>
#include "directory_listing.h"
#include "file_removal.h"

namespace modMain {

// One directory in the two forms the sweep needs.
struct Location {
    std::wstring extended;   // \\?\ form, for the file APIs
    std::wstring shown;      // as the user knows it, for the caption and what is reported
};

Location ChildLocation(const Location& parent, const std::wstring& name);

class DirectoryWalk {
public:
    static constexpr size_t kAhead = 32;
    // Files held open ahead by prepare, at most, in the directories waiting for
    // the caller: each is an open file in Wine's server too.
    static constexpr size_t kOpenedAhead = 512;

    struct Directory {
        Location location;
        std::vector<FileEntry> files;
        std::vector<OpenedFile> opened;   // what prepare opened ahead, by file (may be empty)
    };
    // Run on the reader thread for each directory listed, before it is handed on:
    // opens at most budget of its files and says how many it opened.
    using Prepare = std::function<size_t(Directory&, size_t budget)>;

    explicit DirectoryWalk(Location start, Prepare prepare = {});
    // Stops the reader and waits for it; nothing it read is used.
    ~DirectoryWalk();
    DirectoryWalk(const DirectoryWalk&) = delete;
    DirectoryWalk& operator=(const DirectoryWalk&) = delete;

    // The next directory; false once the last one was given. Throws what the
    // reader met when it listed that directory (win32::Error naming it, or
    // std::bad_alloc); the reader reads nothing after a failure. A directory it
    // could not list is listed once more here, when its turn comes, and if that
    // fails too its error now is the one thrown: what was read ahead may have met
    // a folder in the middle of changing.
    bool Next(Directory& next);

private:
    void Read(Location start) noexcept;
    // Queues a directory, waiting while the caller is kAhead behind; false when stopping.
    bool Hand(Directory directory, size_t opened);
    // How many more files prepare may open now.
    size_t OpeningBudget();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::pair<Directory, size_t>> ready_;   // each with the number of files it holds open
    size_t openedQueued_ = 0;
    bool finished_ = false;         // the reader queued its last directory
    std::exception_ptr failure_;    // what ended the reading early, met after the queued directories
    Location failedAt_;             // the directory it was met at (empty: not a listing's failure)
    bool stopping_ = false;   // the caller wants no more
    Prepare prepare_;
    std::thread reader_;
};

}  // namespace modMain
