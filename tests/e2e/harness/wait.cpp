#include "wait.h"

#include "harness_error.h"

namespace e2e {

void WaitUntil(const std::function<bool()>& holds, const std::string& what, DWORD timeoutMs,
               const std::function<std::optional<std::string>()>& abort) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (abort) {
            if (auto reason = abort()) {
                // The condition may have come true just before the reason to stop did.
                if (holds()) return;
                Fail(*reason + " while waiting for " + what);
            }
        }
        if (holds()) return;
        if (GetTickCount64() >= deadline)
            Fail("timed out after " + std::to_string(timeoutMs) + " ms waiting for " + what);
        Sleep(10);
    }
}

}  // namespace e2e
