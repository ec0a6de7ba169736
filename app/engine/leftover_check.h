#pragma once
// Which of the files a run tried in a folder are still there: the folder read
// once more through its handle. Each question travels as one record, the
// folder's tried files, and comes back as the same record with the answer in
// it, so that nothing has to be paired up by order. On a thread of its own
// (a delete run's walk) the sweep goes on with the next folders meanwhile.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>
#include "file_removal.h"
#include "held_folder.h"

namespace modMain {

// One match the run tried in a folder, and what came of it.
struct TriedFile {
    std::wstring name;
    size_t pattern = 0;               // the pattern that took it
    Removal removal = Removal::Kept;  // what the platform said
    bool stillThere = true;           // the check's answer
    ULONGLONG size = 0;               // as listed
};

// Whether the later patterns that match a file that stayed count it again, as
// a search per pattern would have found it again. A stop counts no more.
enum class Recount { LaterPatterns, None };

struct TriedFolder {
    FolderRef folder;
    std::vector<TriedFile> files;
    int32_t* counter = nullptr;   // what a recount adds to
    Recount recount = Recount::LaterPatterns;
    // The check could not answer (memory ran out): every file counts as still
    // there, and the run ends with this once it is settled.
    std::exception_ptr failure;
};

// Sets stillThere for each tried file. When the folder cannot be read again,
// each name is looked for by itself, and one that cannot be looked for counts as
// still there. Only a failure other than the platform's is left in failure.
void AnswerStillThere(TriedFolder& tried) noexcept;

class LeftoverCheck {
public:
    // ownThread: answer on a thread of its own; otherwise each question is
    // answered as it is asked.
    explicit LeftoverCheck(bool ownThread);
    // Stops the thread; questions not answered yet are dropped.
    ~LeftoverCheck();
    LeftoverCheck(const LeftoverCheck&) = delete;
    LeftoverCheck& operator=(const LeftoverCheck&) = delete;

    void Ask(TriedFolder tried);
    // The oldest answered record not taken yet (Ready), or once there is one (Wait).
    std::optional<TriedFolder> Ready();
    TriedFolder Wait();
    // Records asked and not taken back yet.
    size_t Outstanding();

private:
    void AnswerQuestions() noexcept;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<TriedFolder> questions_;
    std::deque<TriedFolder> answers_;
    size_t answering_ = 0;   // taken off questions_ and not in answers_ yet
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace modMain
