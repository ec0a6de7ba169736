#include "window_placement.h"

#include <algorithm>

namespace win32 {

void CentreWindowOn(HWND window, HWND over) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(over ? over : window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT target = monitor.rcMonitor;
    if (over && IsWindowVisible(over) && !IsIconic(over)) GetWindowRect(over, &target);

    const RECT& work = monitor.rcWork;
    const int left = std::max<int>(work.left, std::min<int>(target.left + (target.right - target.left - width) / 2,
                                                            work.right - width));
    const int top = std::max<int>(work.top, std::min<int>(target.top + (target.bottom - target.top - height) / 2,
                                                          work.bottom - height));
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace win32
