#pragma once
// The base of every scenario: a fresh program folder (Scourway.exe, KILL.LST, trees),
// one running Scourway at a time, and the steps most scenarios share.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "harness_error.h"
#include "keyboard.h"
#include "program_process.h"
#include "scourway_windows.h"

namespace e2e {

class ScourwayTest : public ::testing::Test {
protected:
    ProgramFolder folder;
    std::unique_ptr<ProgramProcess> program;

    // Starts Scourway with this argument text (replacing a previous run, which is killed),
    // its standard output to the given file or device when there is one.
    ProgramProcess& Start(const std::wstring& arguments = L"", const std::wstring& standardOutput = {});
    // Starts it and waits until start-up has ended: the main window on the screen with
    // the focus in txtDir.
    MainWindow StartShown(const std::wstring& arguments = L"");

    // Waits for the program to end and returns the exit code, failing if the main window
    // becomes visible on the way.
    DWORD WaitForExitUnseen();
    // True when the main window exists and is visible.
    bool MainWindowVisible() const;

    // The one message box now open; its title, text and buttons must be these.
    MessageBoxView ExpectMessageBox(const std::wstring& title, const std::wstring& text,
                                    const std::vector<int>& buttons);

    // The default starting directory: the Windows directory with "TEMP\".
    static std::wstring DefaultStartDir();
};

// Message box texts with their line breaks as "\n", whatever the program used.
std::wstring WithPlainLineBreaks(std::wstring text);

// Text in the system's ANSI code page, the encoding of KILL.LST, and back.
std::string Ansi(const std::wstring& text);
std::wstring FromAnsi(const std::string& bytes);

}  // namespace e2e
