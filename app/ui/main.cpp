// Scourway's entry point: create the main window, run its load handler, show it
// and run the message loop until the program ends.
#include <windows.h>
#include "describe_failure.h"
#include "exit_codes.h"
#include "main_window/frm_status.h"
#include "main_window/message_pump.h"
#include "run_report/standard_output.h"
#include "run_report/unattended.h"

namespace {

int RunMessageLoop(HWND dialog) {
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1) return kExitFailed;
        RouteMessage(dialog, msg);
    }
    return static_cast<int>(msg.wParam);
}

// A failure that no handler reported (such as a folder picker that cannot be
// created): said once, on standard error and, unless the run is unattended, in a box.
int ReportUnhandled(const std::exception& failure) {
    const std::wstring text = DescribeFailure(failure);
    WriteStandardLine(STD_ERROR_HANDLE, text);
    if (!IsUnattended(modMain::CommandLineArguments()))
        MessageBoxW(nullptr, text.c_str(), L"Scourway", MB_OK | MB_ICONERROR);
    return kExitFailed;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        frmStatus form;
        form.Form_Load();
        if (form.Ended()) return form.ExitCode();
        form.Show();
        RunMessageLoop(form.Window());
        return form.ExitCode();
    } catch (const std::exception& failure) {
        return ReportUnhandled(failure);
    }
}
