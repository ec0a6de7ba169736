#include "leftover_check.h"

#include <windows.h>
#include "command_line.h"
#include "directory_listing.h"
#include "error.h"

namespace modMain {

std::vector<bool> StillThere(const Location& directory, const std::vector<std::wstring>& names) {
    try {
        return FilesStillListed(directory.extended, directory.shown, names);
    } catch (const win32::Error&) {
        std::vector<bool> still;
        still.reserve(names.size());
        for (const std::wstring& name : names) {
            const bool gone = ::GetFileAttributesW((AddSlash(directory.extended) + name).c_str()) ==
                                  INVALID_FILE_ATTRIBUTES &&
                              (::GetLastError() == ERROR_FILE_NOT_FOUND || ::GetLastError() == ERROR_PATH_NOT_FOUND);
            still.push_back(!gone);
        }
        return still;
    }
}

LeftoverCheck::LeftoverCheck() : thread_(&LeftoverCheck::AnswerQuestions, this) {}

LeftoverCheck::~LeftoverCheck() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void LeftoverCheck::Ask(Location directory, std::vector<std::wstring> names) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        questions_.push_back(Question{std::move(directory), std::move(names)});
    }
    changed_.notify_all();
}

std::optional<std::vector<bool>> LeftoverCheck::Ready() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (answers_.empty()) return std::nullopt;
    return TakeFront(lock);
}

std::vector<bool> LeftoverCheck::Wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !answers_.empty(); });
    return TakeFront(lock);
}

std::vector<bool> LeftoverCheck::TakeFront(std::unique_lock<std::mutex>& lock) {
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    lock.unlock();
    if (answer.failure) std::rethrow_exception(answer.failure);
    return std::move(answer.still);
}

// The question stays queued while it is answered, so that the answers keep the
// questions' order.
void LeftoverCheck::AnswerQuestions() noexcept {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !questions_.empty(); });
        if (stopping_) return;
        const Question& question = questions_.front();
        lock.unlock();
        Answer answer;
        try {
            answer.still = StillThere(question.directory, question.names);
        } catch (...) {
            answer.failure = std::current_exception();
        }
        lock.lock();
        questions_.pop_front();
        answers_.push_back(std::move(answer));
        changed_.notify_all();
    }
}

}  // namespace modMain
