#pragma once
// Which of the files a sweep tried in a directory are still there: the directory
// read once more. A LeftoverCheck does that reading on a thread of its own, so
// that the sweep goes on with the next directories meanwhile; the answers come
// back in the order asked.
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>
#include "directory_walk.h"

namespace modMain {

// Which of the names are still in the directory. When it cannot be read again
// (it was removed, or something else went wrong) each name is looked for by
// itself, and one that cannot be looked for counts as still there.
std::vector<bool> StillThere(const Location& directory, const std::vector<std::wstring>& names);

class LeftoverCheck {
public:
    LeftoverCheck();
    // Stops the thread; questions not answered yet are dropped.
    ~LeftoverCheck();
    LeftoverCheck(const LeftoverCheck&) = delete;
    LeftoverCheck& operator=(const LeftoverCheck&) = delete;

    void Ask(Location directory, std::vector<std::wstring> names);
    // The answer to the oldest question not taken yet: when it is ready (Ready),
    // or once it is (Wait). Rethrows what the check met (std::bad_alloc).
    std::optional<std::vector<bool>> Ready();
    std::vector<bool> Wait();

private:
    struct Question {
        Location directory;
        std::vector<std::wstring> names;
    };
    struct Answer {
        std::vector<bool> still;
        std::exception_ptr failure;
    };

    void AnswerQuestions() noexcept;
    std::vector<bool> TakeFront(std::unique_lock<std::mutex>& lock);

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Question> questions_;
    std::deque<Answer> answers_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace modMain
