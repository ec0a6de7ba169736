#include "picker_state.h"

namespace tollen::Module1 {

PickerState& ThreadPickerState() noexcept {
    thread_local PickerState state;
    return state;
}

void ResetPickerState() noexcept {
    PickerState& state = ThreadPickerState();
    state.Initial.clear();
    state.Selected.clear();
    state.Canceled = false;
    state.Prompt.clear();
}

}  // namespace tollen::Module1
