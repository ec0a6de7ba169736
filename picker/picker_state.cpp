// The per-thread copies sit in a Win32 TLS slot rather than a C++ thread_local:
// with this toolchain a thread_local std::wstring in a DLL makes every thread
// that used it hang on exit once the DLL has been unloaded, which COM does.
#include "picker_state.h"

#include "com_boundary.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace tollen::Module1 {
namespace {

INIT_ONCE slotOnce = INIT_ONCE_STATIC_INIT;
DWORD slot = TLS_OUT_OF_INDEXES;
SRWLOCK statesLock = SRWLOCK_INIT;
std::vector<PickerState*>* states = nullptr;  // every thread's copy, so unloading frees them all

BOOL CALLBACK AllocateSlot(PINIT_ONCE, PVOID, PVOID*) {
    slot = ::TlsAlloc();
    return slot != TLS_OUT_OF_INDEXES;
}

class ExclusiveLock {
public:
    ExclusiveLock() noexcept { ::AcquireSRWLockExclusive(&statesLock); }
    ~ExclusiveLock() { ::ReleaseSRWLockExclusive(&statesLock); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
};

}  // namespace

PickerState& ThreadPickerState() {
    if (!::InitOnceExecuteOnce(&slotOnce, &AllocateSlot, nullptr, nullptr)) win32::ThrowLastError();
    if (auto* existing = static_cast<PickerState*>(::TlsGetValue(slot))) return *existing;

    auto created = std::make_unique<PickerState>();
    {
        ExclusiveLock lock;
        if (!states) states = new std::vector<PickerState*>();
        states->push_back(created.get());
    }
    ::TlsSetValue(slot, created.get());
    return *created.release();
}

void ResetPickerState() {
    PickerState& state = ThreadPickerState();
    state.Initial.clear();
    state.Selected.clear();
    state.Canceled = false;
    state.Prompt.clear();
}

void ReleaseThreadPickerState() noexcept {
    if (slot == TLS_OUT_OF_INDEXES) return;
    auto* state = static_cast<PickerState*>(::TlsGetValue(slot));
    if (!state) return;
    ::TlsSetValue(slot, nullptr);
    {
        ExclusiveLock lock;
        states->erase(std::remove(states->begin(), states->end(), state), states->end());
    }
    delete state;
}

void ReleaseAllPickerStates() noexcept {
    if (slot == TLS_OUT_OF_INDEXES) return;
    ExclusiveLock lock;
    if (states) {
        for (PickerState* state : *states) delete state;
        delete states;
        states = nullptr;
    }
    ::TlsFree(slot);
    slot = TLS_OUT_OF_INDEXES;
}

}  // namespace tollen::Module1
