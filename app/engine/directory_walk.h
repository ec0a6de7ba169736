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
#include <optional>
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
    // Prepare opens nothing while fewer directories than this wait for the
    // caller: a caller about to wait is kept busy with bare listings (and opens
    // those files itself), and the reader opens ahead once it has a lead.
    static constexpr size_t kOpenOnceQueued = 4;

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

    // The next directory; false once the last one was given. A directory the
    // reader could not list is listed again here, at its turn, since what was
    // read ahead may have met it in the middle of a change: listed then, the walk
    // goes on below it; failing then, that error is thrown (win32::Error naming
    // it) and the walk gives nothing more. Also throws std::bad_alloc from the reader.
    bool Next(Directory& next);

private:
    struct Item {
        Directory directory;
        size_t opened = 0;               // files it holds open
        std::exception_ptr unlisted;     // why the reader could not list it
    };

    void Read(Location start) noexcept;
    // Queues an item, waiting while the caller is kAhead behind; false when stopping.
    bool Hand(Item item);
    // Hands on a directory the reader could not list and waits for the caller's
    // own listing at its turn: its subdirectories, or nothing when the walk ends.
    std::optional<std::vector<std::wstring>> HandUnlisted(Location directory, std::exception_ptr why);
    // How many more files prepare may open now: none without a lead.
    size_t OpeningBudget();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Item> ready_;
    size_t openedQueued_ = 0;
    std::optional<std::vector<std::wstring>> listedByCaller_;   // the answer HandUnlisted waits for
    bool finished_ = false;         // the reader queued its last directory
    std::exception_ptr failure_;    // what ended the reading early, met after the queued directories
    bool stopping_ = false;         // the caller wants no more
    Prepare prepare_;
    std::thread reader_;
};

}  // namespace modMain
