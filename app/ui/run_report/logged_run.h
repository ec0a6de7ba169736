#pragma once
// A run's /LOG: the sweep's calls become its lines as the run goes, and the run's
// ending becomes its closing line. Without /LOG it does nothing.
#include <optional>
#include <string>
#include "run_log.h"
#include "sweep.h"

class LoggedRun {
public:
    // Opens the log before anything is deleted. Throws win32::Error naming it.
    void Open(const std::wstring& file);
    explicit operator bool() const { return log_.has_value(); }
    // Sends the run's deletions and leftovers to the log, and keeps the log out of
    // the run's reach. A preview deletes nothing: only its closing line is written.
    void Attach(modMain::SweepOptions& options);
    // The closing line: the moment, the program's arguments and the ending's words.
    void Close(const std::wstring& arguments, const std::wstring& ending);
    // The text to report when a line could not be written; "" when all were.
    std::wstring FailureText() const;

private:
    std::optional<modMain::RunLog> log_;
    std::wstring file_;
};
