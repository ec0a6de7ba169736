#pragma once
// What the main window's tests share: dialogs that answer from a script and
// record every question, a temporary folder, and a fixture that builds frmStatus
// over both with a command line of the test's choosing.
#include <windows.h>
#include <gtest/gtest.h>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "main_window/frm_status.h"
#include "main_window/user_dialogs.h"

struct DialogCall {
    bool prompt;          // the text prompt, else a message box
    std::wstring title;
    std::wstring text;    // message or prompt line
    UINT type;            // message boxes
    std::wstring initial; // prompts
};

class ScriptedDialogs final : public UserDialogs {
public:
    std::vector<DialogCall> calls;
    std::deque<int> answers;             // message boxes, in order
    std::deque<std::wstring> typed;      // prompts, in order
    std::function<void()> whileOpen;     // runs inside every dialog, as if the user acted meanwhile

    int Ask(const std::wstring& text, const std::wstring& title, UINT type) override;
    std::wstring Prompt(const std::wstring& title, const std::wstring& prompt, const std::wstring& initial) override;
};

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
    void MakeFolder(const std::wstring& relative) const;
    void WriteFile(const std::wstring& relative, const std::string& bytes) const;
    bool Exists(const std::wstring& relative) const;
    std::string Read(const std::wstring& relative) const;

private:
    std::wstring path_;
};

class StatusTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Builds the window over a KILL.LST in the temporary folder.
    frmStatus& Form();
    void WriteList(const std::string& bytes) { folder.WriteFile(L"KILL.LST", bytes); }

    // lstDelete's rows as "text#key", and colFiles the same way.
    std::vector<std::wstring> Rows();
    std::vector<std::wstring> Entries();
    int Selection();
    void Select(int row);
    bool Enabled(int id);

    TempFolder folder;
    ScriptedDialogs dialogs;
    std::wstring arguments;
    std::unique_ptr<frmStatus> form;
};

// Takes WM_QUIT (posted when the program ends) out of this thread's queue.
void DrainQuit();

// One of this process's standard handles sent to a file for as long as it lives.
class CapturedStream {
public:
    CapturedStream(DWORD which, std::wstring file);
    ~CapturedStream();
    CapturedStream(const CapturedStream&) = delete;
    CapturedStream& operator=(const CapturedStream&) = delete;
    // What was written so far, as UTF-8 bytes.
    std::string Text() const;
    // The same as lines, each without its CR LF.
    std::vector<std::wstring> Lines() const;

private:
    DWORD which_;
    std::wstring file_;
    HANDLE previous_;
    HANDLE handle_;
};

// The host's own path of a Windows path under Wine ("" elsewhere).
std::string HostPathOf(const std::wstring& path);
