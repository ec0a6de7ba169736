#pragma once
// The main window as the sweep's host: the caption follows the walk and the
// message loop runs while it walks.
//
// Setting a caption costs far more than a yield, so EnterFolder only records the
// text; a yield paints it when the last paint is at least 20 ms old. Pumping the
// message loop costs more than matching a file, so a yield pumps only when the
// last pump is 10 ms old: the window still answers input (and a close) at once. Before
// anything that can hold the sweep (a command routed from its message loop, such
// as the About window opening) the window calls ShowPendingCaption, so a paused
// sweep always shows the directory it is in.
#include <windows.h>
#include <chrono>
#include <functional>
#include <string>
#include "sweep.h"

class WindowSweepHost final : public modMain::SweepHost {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kPaintInterval = std::chrono::milliseconds(20);
    static constexpr Clock::duration kPumpInterval = std::chrono::milliseconds(10);

    // pump handles the waiting messages and says whether the sweep may go on.
    WindowSweepHost(HWND window, std::function<bool()> pump,
                    std::function<Clock::time_point()> now = &Clock::now);

    // The caption becomes "Scourway - " + the folder.
    void EnterFolder(const std::wstring& folder) override;
    bool Yield() override;

    // Paints the recorded caption now, if it is not on the window yet.
    void ShowPendingCaption();

private:
    void Paint(Clock::time_point at);

    HWND window_;
    std::function<bool()> pump_;
    std::function<Clock::time_point()> now_;
    std::wstring pending_;
    bool hasPending_ = false;
    bool painted_ = false;     // whether lastPaint_ holds a time
    bool stopped_ = false;     // the pump said stop: the window may be gone
    Clock::time_point lastPaint_{};
    bool pumped_ = false;      // whether lastPump_ holds a time
    Clock::time_point lastPump_{};
};
