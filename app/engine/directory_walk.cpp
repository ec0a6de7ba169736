#include "directory_walk.h"

#include <utility>
#include "command_line.h"

namespace modMain {

Location ChildLocation(const Location& parent, const std::wstring& name) {
    return {AddSlash(parent.extended) + name, AddSlash(parent.shown) + name};
}

DirectoryWalk::DirectoryWalk(Location start, Prepare prepare)
    : prepare_(std::move(prepare)), reader_(&DirectoryWalk::Read, this, std::move(start)) {}

DirectoryWalk::~DirectoryWalk() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    reader_.join();
}

bool DirectoryWalk::Next(Directory& next) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !ready_.empty() || finished_; });
    if (ready_.empty()) {
        if (!failure_) return false;
        const std::exception_ptr failure = failure_;
        const Location failedAt = failedAt_;
        lock.unlock();
        if (!failedAt.extended.empty()) ListDirectory(failedAt.extended, failedAt.shown);
        std::rethrow_exception(failure);
    }
    next = std::move(ready_.front().first);
    openedQueued_ -= ready_.front().second;
    ready_.pop_front();
    lock.unlock();
    changed_.notify_all();
    return true;
}

bool DirectoryWalk::Hand(Directory directory, size_t opened) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return ready_.size() < kAhead || stopping_; });
    if (stopping_) return false;
    ready_.emplace_back(std::move(directory), opened);
    openedQueued_ += opened;
    lock.unlock();
    changed_.notify_all();
    return true;
}

size_t DirectoryWalk::OpeningBudget() {
    std::lock_guard<std::mutex> lock(mutex_);
    return openedQueued_ < kOpenedAhead ? kOpenedAhead - openedQueued_ : 0;
}

// Pre-order, depth first, without recursion: each level keeps only the names
// of its subdirectories while the ones below it are read. The first failure
// ends the reading; the caller meets it after the directories read before it.
void DirectoryWalk::Read(Location start) noexcept {
    struct Level {
        Location directory;
        std::vector<std::wstring> subdirectories;
        size_t next = 0;
    };
    std::exception_ptr failure;
    Location failedAt;
    try {
        std::vector<Level> levels;
        auto visit = [&levels, &failedAt, this](Location directory) {
            failedAt = directory;
            DirectoryListing listing = ListDirectory(directory.extended, directory.shown);
            failedAt = {};
            levels.push_back(Level{directory, std::move(listing.subdirectories)});
            Directory listed{std::move(directory), std::move(listing.files), {}};
            size_t opened = 0;
            if (prepare_) opened = prepare_(listed, OpeningBudget());
            return Hand(std::move(listed), opened);
        };
        bool reading = visit(std::move(start));
        while (reading && !levels.empty()) {
            Level& level = levels.back();
            if (level.next == level.subdirectories.size()) {
                levels.pop_back();
                continue;
            }
            reading = visit(ChildLocation(level.directory, level.subdirectories[level.next++]));
        }
    } catch (...) {
        failure = std::current_exception();
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        failure_ = failure;
        failedAt_ = std::move(failedAt);
        finished_ = true;
    }
    changed_.notify_all();
}

}  // namespace modMain
