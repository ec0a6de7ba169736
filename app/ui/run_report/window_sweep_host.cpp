#include "run_report/window_sweep_host.h"
#include <utility>

WindowSweepHost::WindowSweepHost(HWND window, std::function<bool()> pump,
                                 std::function<Clock::time_point()> now)
    : window_(window), pump_(std::move(pump)), now_(std::move(now)) {}

void WindowSweepHost::EnterFolder(const std::wstring& folder) {
    pending_ = L"Scourway - " + folder;
    hasPending_ = true;
}

bool WindowSweepHost::Yield() {
    if (stopped_) return false;
    const Clock::time_point now = now_();
    if (hasPending_ && (!painted_ || now - lastPaint_ >= kPaintInterval)) Paint(now);
    if (!pumped_ || now - lastPump_ >= kPumpInterval) {
        pumped_ = true;
        lastPump_ = now;
        if (!pump_()) stopped_ = true;
    }
    return !stopped_;
}

void WindowSweepHost::ShowPendingCaption() {
    if (hasPending_ && !stopped_) Paint(now_());
}

void WindowSweepHost::Paint(Clock::time_point at) {
    SetWindowTextW(window_, pending_.c_str());
    hasPending_ = false;
    painted_ = true;
    lastPaint_ = at;
}
