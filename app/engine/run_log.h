#pragma once
// The run's log (/LOG): lines appended to a file as the run goes, in UTF-8,
// with a byte-order mark when the file is new. It is held open without delete
// sharing for the length of the run, and the run never takes it (Spare).
#include <windows.h>
#include <string>
#include "file_eligibility.h"
#include "handle_owners.h"

namespace modMain {

class RunLog {
public:
    // Opens the file to append to, creating it if need be. Throws win32::Error naming it.
    explicit RunLog(const std::wstring& path);
    // Writes one line. After a write failed, nothing more is written.
    void Line(const std::wstring& text);
    // The platform's code for the first write that failed; ERROR_SUCCESS when none did.
    DWORD Failure() const { return failure_; }
    // The log as a file the run leaves alone, whatever the patterns say.
    FileEligibility Spare(FileEligibility eligible) const;

private:
    void Write(const std::string& bytes);

    win32::FileHandle file_;
    std::wstring name_;
    ULONGLONG id_ = 0;
    DWORD failure_ = ERROR_SUCCESS;
};

}  // namespace modMain
