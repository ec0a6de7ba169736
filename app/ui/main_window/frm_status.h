#pragma once
// frmStatus, the main window: the starting directory, the pattern list and the
// program's commands.
//
// It is a window of its own class ("ScourwayStatus") run by the dialog manager,
// which gives it tab order, access keys (a label's key moves to the field after
// it), Enter for the default button and Esc. Its controls are placed from the
// twips table of status_layout.h. The message handling only decodes a message
// and calls the named handler; commands are routed through one table.
#include <windows.h>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include "main_window/focus_selects_all.h"
#include "handle_owners.h"
#include "pattern_list.h"
#include "command_line.h"
#include "main_window/user_dialogs.h"
#include "window_base.h"
#include "list_file.h"

class WindowSweepHost;
class PathwickHost;
namespace win32 {
struct Dpi;
}

// What the window takes from its surroundings; tests give their own.
struct StatusEnvironment {
    // The pattern list file: KILL.LST beside the program.
    std::wstring listFile = modMain::ListFilePath();
    // The argument text of the command line, read afresh for every switch.
    std::function<std::wstring()> arguments = &modMain::CommandLineArguments;
};

class frmStatus : public win32::BaseWindow<frmStatus> {
public:
    // Creates the window, hidden, with all its controls. dialogs answers the
    // handlers' questions; nullptr means the real message boxes and text prompt,
    // owned by this window. Throws win32::Error.
    explicit frmStatus(StatusEnvironment environment = {}, UserDialogs* dialogs = nullptr);
    ~frmStatus();

    // Start-up: directory, switches, the list file, the list; with AUTO one run.
    // Runs before the window is first shown; it may end the program (Ended()).
    void Form_Load();
    // Shows the window centred, in the state Form_Load left, the focus in txtDir,
    // and then the words start-up left for it (an unknown switch), once.
    void Show();

    // Whether the program is to end now, and with which exit code (exit_codes.h).
    // Output that could not be written makes an exit code of success a failure.
    bool Ended() const noexcept { return ended_; }
    int ExitCode() const noexcept;

    // sText with "\" appended unless its last character is one ("" gives "\").
    static std::wstring FixPath(const std::wstring& sText);
    // Rebuilds lstDelete from colFiles: one row per entry, its Key as item data.
    void RefreshList();

    // Event handlers.
    void cmdProcess_Click();     // delete_run.cpp
    void cmdClose_Click();       // delete_run.cpp
    void cmdAdd_Click();         // list_commands.cpp
    void cmdRemove_Click();
    void lstDelete_DblClick();
    void cmdSave_Click();
    void txtDir_GotFocus();
    void cmdBrowse_Click();      // with the folder picker's host
    void cmdAbout_Click();       // with the About window

    HWND Control(int id) const noexcept { return GetDlgItem(hwnd_, id); }
    std::wstring DirText() const;
    void SetDirText(const std::wstring& text);
    UserDialogs& Dialogs() noexcept { return *dialogs_; }

private:
    friend class win32::BaseWindow<frmStatus>;
    class RunLock;
    struct Command;
    static const Command kCommands[];

    static void RegisterWindowClass();
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnInitDialog();
    void BuildWindow();
    void CreateControls(win32::Dpi dpi);
    void AddAboutTooltip();
    bool OnCommand(int id, int code);
    BOOL OnSetCursor();
    void OnRestored();
    void OnClose();
    void OnDestroy();
    bool ModalOpen() const noexcept { return !IsWindowEnabled(hwnd_); }

    bool Switch(const wchar_t* name) const;
    bool Unattended() const;   // AUTO and QUIET: no box waits for a reader
    bool RunStartupStep(const std::function<void()>& step);
    void ReportFailure(const std::wstring& description, bool showBox);
    // A line to standard output or error; a failed write is remembered for the exit code.
    DWORD WriteOutput(DWORD whichHandle, const std::wstring& text);
    void EndProgram(int exitCode);
    bool SweepMayGoOn() const noexcept { return alive_ && !closeRequested_; }

    int SelectedRow() const;
    int32_t RowKey(int row) const;
    std::wstring RowText(int row) const;

    StatusEnvironment environment_;
    UserDialogs* dialogs_ = nullptr;
    std::unique_ptr<WindowDialogs> windowDialogs_;
    win32::GdiObject font_;
    win32::GdiObject boldFont_;
    int showCommand_ = SW_SHOWNORMAL;

    bool alive_ = false;            // the window exists
    bool ended_ = false;
    bool destroying_ = false;       // destroyed by the destructor, not by an end of the program
    int exitCode_ = 0;
    DWORD outputFailure_ = ERROR_SUCCESS;   // the first write to standard output or error that failed
    bool running_ = false;          // a delete run is working
    bool closeRequested_ = false;   // the window was closed during a run
    WindowSweepHost* sweepHost_ = nullptr;
    std::unique_ptr<FocusSelectsAll> txtDirSelectsAll_;
    std::wstring openingNotice_;    // said in a box when the window is first shown
    std::exception_ptr initFailure_;
    std::unique_ptr<PathwickHost> picker_;   // Pathwick1, created with the window
};
