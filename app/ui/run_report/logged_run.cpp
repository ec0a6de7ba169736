#include "run_report/logged_run.h"

#include "run_report/run_messages.h"
#include "system_message.h"

void LoggedRun::Open(const std::wstring& file) {
    log_.emplace(file);
    file_ = file;
}

void LoggedRun::Attach(modMain::SweepOptions& options) {
    if (!log_) return;
    options.eligible = log_->Spare(options.eligible);
    if (options.preview) return;
    const bool recycle = options.action == modMain::SweepAction::Recycle;
    modMain::RunLog& log = *log_;
    options.onGone = [&log, recycle](const std::wstring& path) { log.Line(LogGoneLine(path, recycle)); };
    options.onLeft = [&log](const std::wstring& path, modMain::Removal said) { log.Line(LogLeftLine(path, said)); };
    options.onStay = [&log](const std::wstring& path, modMain::StayReason reason) {
        log.Line(LogLeftLine(path, reason));
    };
}

void LoggedRun::Close(const std::wstring& arguments, const std::wstring& ending) {
    if (!log_) return;
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    log_->Line(LogClosingLine(now, L"Scourway.exe " + arguments, ending));
}

std::wstring LoggedRun::FailureText() const {
    if (!log_ || log_->Failure() == ERROR_SUCCESS) return {};
    return L"The log " + file_ + L" could not be written: " + win32::SystemMessage(log_->Failure());
}
