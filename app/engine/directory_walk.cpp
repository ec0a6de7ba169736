#include "directory_walk.h"

#include <utility>
#include "error.h"
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
        if (failure_) std::rethrow_exception(failure_);
        return false;
    }
    Item item = std::move(ready_.front());
    ready_.pop_front();
    openedQueued_ -= item.opened;
    lock.unlock();
    changed_.notify_all();
    if (item.unlisted) {
        DirectoryListing listing;
        try {
            listing = ListDirectory(item.directory.location.extended, item.directory.location.shown);
        } catch (...) {
            lock.lock();
            stopping_ = true;
            lock.unlock();
            changed_.notify_all();
            throw;
        }
        item.directory.files = std::move(listing.files);
        lock.lock();
        listedByCaller_ = std::move(listing.subdirectories);
        lock.unlock();
        changed_.notify_all();
    }
    next = std::move(item.directory);
    return true;
}

bool DirectoryWalk::Hand(Item item) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return ready_.size() < kAhead || stopping_; });
    if (stopping_) return false;
    openedQueued_ += item.opened;
    ready_.push_back(std::move(item));
    lock.unlock();
    changed_.notify_all();
    return true;
}

std::optional<std::vector<std::wstring>> DirectoryWalk::HandUnlisted(Location directory, std::exception_ptr why) {
    Item item;
    item.directory.location = std::move(directory);
    item.unlisted = std::move(why);
    if (!Hand(std::move(item))) return std::nullopt;
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return listedByCaller_.has_value() || stopping_; });
    if (stopping_) return std::nullopt;
    std::optional<std::vector<std::wstring>> subdirectories = std::move(listedByCaller_);
    listedByCaller_.reset();
    return subdirectories;
}

size_t DirectoryWalk::OpeningBudget() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (ready_.size() < kOpenOnceQueued) return 0;
    return openedQueued_ < kOpenedAhead ? kOpenedAhead - openedQueued_ : 0;
}

// Pre-order, depth first, without recursion: each level keeps only the names
// of its subdirectories while the ones below it are read.
void DirectoryWalk::Read(Location start) noexcept {
    struct Level {
        Location directory;
        std::vector<std::wstring> subdirectories;
        size_t next = 0;
    };
    std::exception_ptr failure;
    try {
        std::vector<Level> levels;
        auto visit = [&levels, this](Location directory) {
            DirectoryListing listing;
            try {
                listing = ListDirectory(directory.extended, directory.shown);
            } catch (const win32::Error&) {
                std::optional<std::vector<std::wstring>> subdirectories =
                    HandUnlisted(directory, std::current_exception());
                if (!subdirectories) return false;
                levels.push_back(Level{std::move(directory), std::move(*subdirectories)});
                return true;
            }
            levels.push_back(Level{directory, std::move(listing.subdirectories)});
            Item item;
            item.directory = Directory{std::move(directory), std::move(listing.files), {}};
            if (prepare_) item.opened = prepare_(item.directory, OpeningBudget());
            return Hand(std::move(item));
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
        finished_ = true;
    }
    changed_.notify_all();
}

}  // namespace modMain
