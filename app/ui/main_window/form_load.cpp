// Start-up: frmStatus's load handler runs once, before the window is first shown.
#include "control_ids.h"
#include "exit_codes.h"
#include "main_window/frm_status.h"
#include "main_window/list_file_lookup.h"
#include "main_window/message_pump.h"
#include "error.h"
#include "program_paths.h"
#include "list_file.h"

void frmStatus::Form_Load() {
    SetDirText(FixPath(modMain::GetWindowsDir()) + L"TEMP\\");
    // An unknown switch may be a misspelt safety switch (/PREVEIW for /PREVIEW):
    // an AUTO start makes no run with it, and the window says it when it opens.
    const std::wstring unknown = modMain::UnknownSwitchIn(environment_.arguments());
    if (!unknown.empty()) {
        const std::wstring words = L"Unknown switch: " + unknown + L". Nothing was deleted.";
        if (Switch(L"AUTO")) {
            ReportFailure(words, !Unattended());
            EndProgram(kExitFailed);
            return;
        }
        WriteOutput(STD_ERROR_HANDLE, words);
        openingNotice_ = words;
    }
    // The window is created hidden and shown only after loading, so QUIET keeps
    // it off the screen for the whole load, an AUTO run included.
    if (Switch(L"QUIET")) ShowWindow(hwnd_, SW_HIDE);
    if (Switch(L"MIN")) showCommand_ = SW_SHOWMINIMIZED;
    if (Switch(L"DIR")) SetDirText(modMain::SwitchValueIn(environment_.arguments(), L"DIR"));

    // A folder in the list file's place is not a missing list: no file can be
    // created there, so the offer to create one is not made.
    if (IsFolder(environment_.listFile)) {
        ReportFailure(L"KILL.LST is a folder, not a file: the pattern list can be neither read nor created.\r\n" +
                          environment_.listFile,
                      !Unattended());
        EndProgram(kExitFailed);
        return;
    }
    if (!ListFileExists(environment_.listFile)) {
        const int answer = dialogs_->Ask(L"KILL.LST was not found. Create a new blank file?",
                                         L"Error - File Not Found", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1);
        if (answer != IDYES) {
            // Without a list an AUTO start makes no run, which is its failure.
            if (Switch(L"AUTO")) {
                WriteOutput(STD_ERROR_HANDLE, L"KILL.LST was not found and not created: no delete run was made.");
                EndProgram(kExitFailed);
            } else {
                EndProgram(kExitOk);
            }
            return;
        }
        modMain::colFiles.Clear();
        if (!RunStartupStep([this] { modMain::SaveListTo(environment_.listFile, modMain::colFiles); })) return;
    }
    if (!RunStartupStep([this] { modMain::LoadListFrom(environment_.listFile, modMain::colFiles); })) return;
    if (!RunStartupStep([this] { RefreshList(); })) return;

    if (Switch(L"AUTO")) {
        PumpWaitingMessages(hwnd_);
        if (ended_) return;
        cmdProcess_Click();
        if (!ended_) EndProgram(exitCode_);
    }
}

// A list file that cannot be created or read stops the start-up: the failure is
// reported (in a box too, unless the run is unattended) and the program ends
// before the window is ever shown.
bool frmStatus::RunStartupStep(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const win32::Error& failure) {
        ReportFailure(failure.Describe(), !Unattended());
        EndProgram(kExitFailed);
        return false;
    }
}
