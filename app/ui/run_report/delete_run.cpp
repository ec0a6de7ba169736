// The delete run (cmdProcess_Click) and the Close button.
#include <optional>
#include "run_report/busy_pointer.h"
#include "control_ids.h"
#include "exit_codes.h"
#include "file_eligibility.h"
#include "main_window/frm_status.h"
#include "run_report/logged_run.h"
#include "main_window/message_pump.h"
#include "run_report/preview_stays.h"
#include "run_report/run_messages.h"
#include "run_switches.h"
#include "run_report/standard_output.h"
#include "sweep.h"
#include "error.h"
#include "run_report/window_sweep_host.h"

namespace {
// The controls a run locks and unlocks, always in this order.
constexpr int kRunLockOrder[] = {IDC_CMDSAVE,    IDC_TXTDIR, IDC_LSTDELETE, IDC_CMDPROCESS,
                                 IDC_CMDADD,     IDC_CMDBROWSE, IDC_CMDREMOVE, IDC_CMDCLOSE};

enum class RunOutcome { Completed, Failed, Stopped };

constexpr wchar_t kNoFolderGiven[] = L"No folder was given: the starting directory is empty.";
}  // namespace

// The window's state for the length of a run: on entry the eight controls are
// locked and the hourglass is set; on exit, however the sweep ended, the caption
// goes back to "Scourway", the pointer to the default and the controls are
// unlocked, and the focus returns where it was. A destroyed window is left alone.
class frmStatus::RunLock {
public:
    RunLock(frmStatus& form, WindowSweepHost& host) : form_(form), focus_(GetFocus()) {
        Enable(false);
        busy_.emplace();
        form_.running_ = true;
        form_.sweepHost_ = &host;
    }
    ~RunLock() {
        form_.sweepHost_ = nullptr;
        form_.running_ = false;
        if (form_.alive_) SetWindowTextW(form_.hwnd_, L"Scourway");
        busy_.reset();
        if (!form_.alive_) return;
        Enable(true);
        if (!GetFocus() && focus_ && IsChild(form_.hwnd_, focus_) && GetActiveWindow() == form_.hwnd_)
            SendMessageW(form_.hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus_), TRUE);
    }
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

private:
    void Enable(bool enabled) {
        for (int id : kRunLockOrder) EnableWindow(form_.Control(id), enabled);
    }

    frmStatus& form_;
    HWND focus_;
    std::optional<BusyPointer> busy_;
};

// With PREVIEW the run deletes nothing: it lists on standard output every file a
// run would delete, then, by reason, the matches the run would leave, and reports
// how many, without asking first. With RECYCLE the matches go to the Recycle Bin;
// PREVIEW with RECYCLE previews such a run (which leaves some names a delete run
// takes) and moves nothing. OLDER leaves newer files out of the run; LOG writes
// what went and what stayed to a file as the run goes. Standard output ends with
// the space freed, which the summary box shows when OLDER or LOG was given.
void frmStatus::cmdProcess_Click() {
    int32_t directories = 0;
    int32_t files = 0;
    const bool quiet = Switch(L"QUIET");
    const bool unattended = Switch(L"AUTO");
    const bool preview = Switch(L"PREVIEW");
    const bool recycle = Switch(L"RECYCLE");
    const modMain::RunSwitches switches = modMain::ReadRunSwitches(environment_.arguments());
    if (!switches.problem.empty()) {
        exitCode_ = kExitFailed;
        ReportFailure(switches.problem, !Unattended());
        return;
    }
    const std::wstring which = switches.olderDays ? OlderThanText(*switches.olderDays) : std::wstring();
    if (!quiet && !unattended && !preview &&
        dialogs_->Ask(ConfirmDeleteText(DirText(), recycle, which, switches.logFile), L"Confirm Delete",
                      MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) != IDYES)
        return;
    LoggedRun log;
    try {
        if (!switches.logFile.empty()) log.Open(switches.logFile);
    } catch (const win32::Error& error) {
        exitCode_ = kExitFailed;
        ReportFailure(L"The log cannot be written, so nothing was deleted.\r\n" + error.Describe(), !Unattended());
        return;
    }

    RunOutcome outcome = RunOutcome::Completed;
    std::wstring failure;
    int32_t notDeleted = 0;
    int32_t alreadyGone = 0;
    PreviewStays stays;
    DWORD listingFailure = ERROR_SUCCESS;
    ULONGLONG freedBytes = 0;
    {
        StandardLineWriter listing(STD_OUTPUT_HANDLE);   // written out before the summary
        modMain::SweepOptions options;
        options.action = recycle ? modMain::SweepAction::Recycle : modMain::SweepAction::Delete;
        options.preview = preview;
        if (preview) {
            options.onMatch = [&listing](const std::wstring& path) { listing.Add(path); };
            options.onStay = [&stays](const std::wstring& path, modMain::StayReason reason) {
                stays.Add(path, reason);
            };
        }
        if (switches.olderDays) options.eligible.writtenBy = modMain::WrittenByFor(*switches.olderDays, modMain::Now());
        log.Attach(options);
        WindowSweepHost host(hwnd_, [this] { return PumpWaitingMessages(hwnd_) && SweepMayGoOn(); });
        RunLock lock(*this, host);
        modMain::Sweep sweep(host, modMain::colFiles, std::move(options));
        const std::wstring directory = DirText();
        try {
            // The platform's words for an empty path name none ("/DIR" with nothing after it).
            if (directory.empty())
                throw win32::Error::Described(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), kNoFolderGiven);
            sweep.SweepFolder(directory, directories, files);
        } catch (const modMain::SweepStopped&) {
            outcome = RunOutcome::Stopped;
        } catch (const win32::Error& error) {
            outcome = RunOutcome::Failed;
            failure = error.Describe();
        }
        notDeleted = sweep.FailedDeletions();
        alreadyGone = sweep.AlreadyGone();
        freedBytes = sweep.FreedBytes();
        stays.WriteTo(listing);
        listingFailure = listing.Flush();
    }
    std::wstring summary;
    if (preview) {
        summary = PreviewSummaryText(files - notDeleted, directories, which);
        if (notDeleted > 0) summary += L"\r\n\r\n" + stays.Headings();
    } else {
        summary = SummaryText(files - notDeleted - alreadyGone, directories, notDeleted, alreadyGone, which);
    }
    const std::wstring freed = FreedText(freedBytes, preview);
    const bool closing = !SweepMayGoOn();

    switch (outcome) {
    case RunOutcome::Completed: {
        exitCode_ = kExitOk;
        log.Close(environment_.arguments(), summary + L" " + freed);
        DWORD outputFailure = listingFailure;
        for (const std::wstring& line : {summary, freed}) {
            const DWORD lineFailure = WriteOutput(STD_OUTPUT_HANDLE, line);
            if (outputFailure == ERROR_SUCCESS) outputFailure = lineFailure;
        }
        const std::wstring box = switches.olderDays || log ? summary + L"\r\n\r\n" + freed : summary;
        const std::wstring logFailure = log.FailureText();
        if (outputFailure != ERROR_SUCCESS || !logFailure.empty()) {
            // What was deleted stays deleted, but a script reading the output, or
            // an auditor reading the log, lost it.
            exitCode_ = kExitFailed;
            ReportFailure(box + L"\r\n\r\n" + (logFailure.empty() ? OutputFailureText(outputFailure) : logFailure),
                          !closing && !Unattended());
        } else if (!closing && !Switch(L"QUIET")) {
            dialogs_->Ask(box, L"Scourway", MB_OK | MB_ICONINFORMATION);
        }
        break;
    }
    case RunOutcome::Failed: {
        // The sweep ends at its first failure; what it did before that is said
        // beside the platform's words, and on standard output as the summary would be.
        exitCode_ = kExitFailed;
        const std::wstring soFar = EndedEarlyText(preview, summary);
        log.Close(environment_.arguments(), failure + L" " + soFar + L" " + freed);
        WriteOutput(STD_ERROR_HANDLE, failure);
        WriteOutput(STD_OUTPUT_HANDLE, soFar);
        WriteOutput(STD_OUTPUT_HANDLE, freed);
        if (!closing && !Unattended())
            dialogs_->Ask(failure + L"\r\n\r\n" + soFar, L"Scourway", MB_OK | MB_ICONERROR);
        break;
    }
    case RunOutcome::Stopped: {
        exitCode_ = kExitStopped;
        const std::wstring stopped =
            (preview ? L"The preview was stopped. So far: " : L"The delete run was stopped. So far: ") + summary;
        log.Close(environment_.arguments(), stopped + L" " + freed);
        WriteOutput(STD_ERROR_HANDLE, stopped);
        WriteOutput(STD_OUTPUT_HANDLE, freed);
        break;
    }
    }
    if (closing || outcome == RunOutcome::Stopped) EndProgram(exitCode_);
}

void frmStatus::cmdClose_Click() { EndProgram(exitCode_); }
