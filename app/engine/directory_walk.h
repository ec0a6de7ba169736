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

    struct Directory {
        Location location;
        std::vector<FileEntry> files;
        std::vector<OpenedFile> opened;   // what prepare opened ahead, by file (may be empty)
    };
    // Run on the reader thread for each directory listed, before it is handed on.
    using Prepare = std::function<void(Directory&)>;

    explicit DirectoryWalk(Location start, Prepare prepare = {});
    // Stops the reader and waits for it; nothing it read is used.
    ~DirectoryWalk();
    DirectoryWalk(const DirectoryWalk&) = delete;
    DirectoryWalk& operator=(const DirectoryWalk&) = delete;

    // The next directory; false once the last one was given. Throws what the
    // reader met when it listed that directory (win32::Error naming it, or
    // std::bad_alloc); the reader reads nothing after a failure.
    bool Next(Directory& next);

private:
    void Read(Location start) noexcept;
    // Queues a directory, waiting while the caller is kAhead behind; false when stopping.
    bool Hand(Directory directory);

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Directory> ready_;
    bool finished_ = false;         // the reader queued its last directory
    std::exception_ptr failure_;    // what ended the reading early, met after the queued directories
    bool stopping_ = false;   // the caller wants no more
    Prepare prepare_;
    std::thread reader_;
};

}  // namespace modMain
