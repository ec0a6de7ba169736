#include "directory_walk.h"

#include <utility>
#include "error.h"

namespace modMain {

std::vector<DirectoryFile> FilesOf(std::vector<FileEntry> entries, const FileEligibility& eligible) {
    std::vector<DirectoryFile> files;
    files.reserve(entries.size());
    for (FileEntry& entry : entries)
        if (eligible.Admits(entry)) {
            files.emplace_back();
            files.back().entry = std::move(entry);
        }
    return files;
}

DirectoryWalk::DirectoryWalk(FolderRef start, FolderSharing sharing, Prepare prepare, FileEligibility eligible)
    : sharing_(sharing), prepare_(std::move(prepare)), eligible_(std::move(eligible)),
      reader_(&DirectoryWalk::Read, this, std::move(start)) {}

DirectoryWalk::~DirectoryWalk() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    reader_.join();
}

bool DirectoryWalk::Next(Directory& next) {
    for (;;) {
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
        if (item.unread && !ReadAtItsTurn(item)) continue;   // a link by now: not entered
        next = std::move(item.directory);
        return true;
    }
}

bool DirectoryWalk::ReadAtItsTurn(Item& item) {
    const Unread& unread = *item.unread;
    std::pair<FolderRef, std::vector<SubfolderEntry>> read;
    try {
        read.first = unread.folder;
        if (!read.first) {
            DWORD error = ERROR_SUCCESS;
            const ChildOutcome outcome = HoldChild(unread.parent, unread.entry, sharing_, read.first, error);
            if (outcome == ChildOutcome::Failed) ThrowFolderError(unread.parent, unread.entry.name, error);
        }
        if (read.first) {
            DirectoryListing listing = ListDirectory(read.first->handle.get(), read.first->shown);
            item.directory = Directory{read.first, FilesOf(std::move(listing.files), eligible_)};
            read.second = std::move(listing.subdirectories);
        }
    } catch (...) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        throw;
    }
    const bool entered = read.first != nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        readByCaller_ = std::move(read);
    }
    changed_.notify_all();
    return entered;
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

std::optional<std::pair<FolderRef, std::vector<SubfolderEntry>>> DirectoryWalk::HandUnread(Unread unread) {
    Item item;
    item.unread = std::move(unread);
    if (!Hand(std::move(item))) return std::nullopt;
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return readByCaller_.has_value() || stopping_; });
    if (stopping_) return std::nullopt;
    auto read = std::move(readByCaller_);
    readByCaller_.reset();
    return read;
}

size_t DirectoryWalk::OpeningBudget() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (ready_.size() < kOpenOnceQueued) return 0;
    return openedQueued_ < kOpenedAhead ? kOpenedAhead - openedQueued_ : 0;
}

// Pre-order, depth first, without recursion: each level keeps its folder (to
// open the next subfolder through) and the names of its subfolders while the
// ones below it are read.
void DirectoryWalk::Read(FolderRef start) noexcept {
    struct Level {
        FolderRef folder;
        std::vector<SubfolderEntry> subdirectories;
        size_t next = 0;
    };
    std::exception_ptr failure;
    try {
        std::vector<Level> levels;
        // Lists the held folder (or hands it on unread) and goes below it; false when stopping.
        auto enter = [&levels, this](FolderRef folder, Unread unread) {
            DirectoryListing listing;
            if (folder) {
                try {
                    listing = ListDirectory(folder->handle.get(), folder->shown);
                } catch (const win32::Error&) {
                    unread.folder = std::move(folder);
                    folder.reset();
                }
            }
            if (!folder) {
                auto read = HandUnread(std::move(unread));
                if (!read) return false;
                if (read->first) levels.push_back(Level{std::move(read->first), std::move(read->second)});
                return true;
            }
            levels.push_back(Level{folder, std::move(listing.subdirectories)});
            Item item;
            item.directory = Directory{std::move(folder), FilesOf(std::move(listing.files), eligible_)};
            if (prepare_) item.opened = prepare_(item.directory, OpeningBudget());
            return Hand(std::move(item));
        };
        bool reading = enter(std::move(start), Unread{});
        while (reading && !levels.empty()) {
            Level& level = levels.back();
            if (level.next == level.subdirectories.size()) {
                levels.pop_back();
                continue;
            }
            const FolderRef parent = level.folder;
            const SubfolderEntry entry = level.subdirectories[level.next++];
            FolderRef child;
            DWORD error = ERROR_SUCCESS;
            const ChildOutcome outcome = HoldChild(parent, entry, sharing_, child, error);
            if (outcome == ChildOutcome::Link) continue;
            reading = enter(std::move(child), Unread{parent, entry, nullptr});
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
