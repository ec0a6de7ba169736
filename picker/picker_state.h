// The control's four values: one copy per thread, shared by every Pathwick
// instance on that thread and reset by each new one.
#pragma once

#include <string>

namespace tollen::Module1 {

struct PickerState {
    std::wstring Initial;   // directory to pre-select when the dialog opens
    std::wstring Selected;  // directory chosen in the last browse that was not cancelled
    bool Canceled = false;  // whether the last browse was cancelled
    std::wstring Prompt;    // text shown above the folder tree
};

// The calling thread's state, made on first use; it lives as long as the
// library stays loaded there. Throws win32::Error when it cannot be made.
PickerState& ThreadPickerState();

// What every new instance does first: "" / "" / False / "".
void ResetPickerState();

// For the library's entry point: a thread ends, or the library is unloaded.
void ReleaseThreadPickerState() noexcept;
void ReleaseAllPickerStates() noexcept;

}  // namespace tollen::Module1
