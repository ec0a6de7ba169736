#include "run_report/busy_pointer.h"

namespace {
int g_depth = 0;
}

BusyPointer::BusyPointer() {
    ++g_depth;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

BusyPointer::~BusyPointer() {
    if (--g_depth == 0) SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

bool BusyPointer::Active() noexcept { return g_depth > 0; }

bool BusyPointer::OnSetCursor() {
    if (!Active()) return false;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return true;
}
