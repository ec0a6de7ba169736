#pragma once
// One run of the program under test: started with an exact command line, its standard
// output captured in a file, its windows found by process id, killed at the end if alive.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "message_box.h"
#include "program_folder.h"
#include "wait.h"
#include "window.h"

namespace e2e {

class ProgramProcess {
public:
    // Command line: the program's path in quotation marks, then (when `arguments` is not
    // empty) one space and `arguments` exactly as given, spaces and all. With
    // `standardOutput` (an existing file or device, such as a full disk's), standard output
    // goes there and only standard error is captured.
    ProgramProcess(const ProgramFolder& folder, const std::wstring& arguments,
                   const std::wstring& standardOutput = {});
    ~ProgramProcess();  // kills the process if it is still running
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    const std::wstring& CommandLine() const { return commandLine_; }
    DWORD Id() const { return id_; }
    bool Running() const;
    std::optional<DWORD> ExitCode() const;  // none while running

    // Waits for the process to end; returns its exit code.
    DWORD WaitForExit(DWORD timeoutMs = kWaitMs) const;
    void Kill();
    std::string Output() const;  // what it wrote to standard output (and error) so far

    // Waits for a condition, failing early (with the exit code) if the process ends first.
    void WaitUntil(const std::function<bool()>& holds, const std::string& what,
                   DWORD timeoutMs = kWaitMs) const;

    std::vector<Window> Windows() const { return TopLevelWindows(id_); }
    // The first top-level window for which `match` holds, if any.
    std::optional<Window> FindWindow(const std::function<bool(const Window&)>& match) const;
    Window WaitForWindow(const std::function<bool(const Window&)>& match, const std::string& what,
                         DWORD timeoutMs = kWaitMs) const;
    // A visible top-level window with this caption (a dialog such as the text prompt).
    Window WaitForDialog(const std::wstring& title, DWORD timeoutMs = kWaitMs) const;
    // The one message box on the screen; fails if there is none or more than one.
    MessageBoxView WaitForMessageBox(DWORD timeoutMs = kWaitMs) const;
    bool HasMessageBox() const { return !MessageBoxesOf(id_).empty(); }

private:
    std::wstring commandLine_;
    std::wstring outputPath_;
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

}  // namespace e2e
