#include "leftover_check.h"

#include <windows.h>
#include "directory_listing.h"
#include "error.h"
#include "relative_open.h"

namespace modMain {
namespace {

bool StillThereByName(const HeldFolder& folder, const std::wstring& name) {
    DWORD error = ERROR_SUCCESS;
    const win32::FileHandle file = OpenChildFile(folder.handle.get(), name, FILE_READ_ATTRIBUTES,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, error);
    return file || RemovalAfter(error) != Removal::Missing;
}

}  // namespace

void AnswerStillThere(TriedFolder& tried) noexcept {
    try {
        std::vector<std::wstring> names;
        names.reserve(tried.files.size());
        for (const TriedFile& file : tried.files) names.push_back(file.name);
        try {
            const std::vector<bool> listed = FilesStillListed(tried.folder->handle.get(), tried.folder->shown, names);
            for (size_t i = 0; i < listed.size(); ++i) tried.files[i].stillThere = listed[i];
        } catch (const win32::Error&) {
            for (TriedFile& file : tried.files) file.stillThere = StillThereByName(*tried.folder, file.name);
        }
    } catch (...) {
        for (TriedFile& file : tried.files) file.stillThere = true;
        tried.failure = std::current_exception();
    }
}

LeftoverCheck::LeftoverCheck(bool ownThread) {
    if (ownThread) thread_ = std::thread(&LeftoverCheck::AnswerQuestions, this);
}

LeftoverCheck::~LeftoverCheck() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void LeftoverCheck::Ask(TriedFolder tried) {
    if (!thread_.joinable()) {
        AnswerStillThere(tried);
        std::lock_guard<std::mutex> lock(mutex_);
        answers_.push_back(std::move(tried));
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        questions_.push_back(std::move(tried));
    }
    changed_.notify_all();
}

std::optional<TriedFolder> LeftoverCheck::Ready() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (answers_.empty()) return std::nullopt;
    TriedFolder answered = std::move(answers_.front());
    answers_.pop_front();
    return answered;
}

TriedFolder LeftoverCheck::Wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !answers_.empty(); });
    TriedFolder answered = std::move(answers_.front());
    answers_.pop_front();
    return answered;
}

size_t LeftoverCheck::Outstanding() {
    std::lock_guard<std::mutex> lock(mutex_);
    return questions_.size() + answering_ + answers_.size();
}

void LeftoverCheck::AnswerQuestions() noexcept {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !questions_.empty(); });
        if (stopping_) return;
        TriedFolder tried = std::move(questions_.front());
        questions_.pop_front();
        ++answering_;
        lock.unlock();
        AnswerStillThere(tried);
        lock.lock();
        --answering_;
        answers_.push_back(std::move(tried));
        changed_.notify_all();
    }
}

}  // namespace modMain
