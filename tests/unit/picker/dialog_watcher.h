// Watches another thread of this process for a dialog (class "#32770"),
// records what it shows, and then presses one of its buttons.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace picker_test {

std::wstring WindowText(HWND window);
std::vector<HWND> ChildWindows(HWND parent);
// The top-level window of the class (and caption, if given) on that thread, or null.
HWND FindThreadWindow(DWORD threadId, const wchar_t* className, const wchar_t* caption = nullptr);

class DialogWatcher {
public:
    // inspect runs on the watcher thread once the dialog is visible; then
    // command (IDOK, IDCANCEL) is posted to it, unless command is 0.
    DialogWatcher(DWORD threadId, WPARAM command, std::function<void(HWND)> inspect = {});
    ~DialogWatcher();
    // Stops watching (the watched call has returned); true when a dialog was seen.
    bool Finish();

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> seen_{false};
    std::thread thread_;
};

// Posts a key press to the window that has the keyboard focus on that thread.
void PressKey(DWORD threadId, WPARAM key);

// The folder dialog's tree: the text of its selected item ("" when none).
std::wstring SelectedTreeItem(HWND dialog);

}  // namespace picker_test
