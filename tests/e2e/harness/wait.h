#pragma once
// Waiting for a condition that another process brings about: poll every 10 ms until it
// holds or the time is up. Timeouts are generous, since a passing test never reaches them.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace e2e {

constexpr DWORD kWaitMs = 20000;

// Polls `holds` until it returns true; throws HarnessError("timed out waiting for <what>")
// otherwise. `abort` (if given) is asked first on every round and returns a reason to stop
// early (for instance "Scourway ended with exit code 1"), or nothing to go on waiting.
void WaitUntil(const std::function<bool()>& holds, const std::string& what,
               DWORD timeoutMs = kWaitMs,
               const std::function<std::optional<std::string>()>& abort = {});

// The same for a probe that yields a value once the condition holds.
template <typename T>
T WaitFor(const std::function<std::optional<T>()>& probe, const std::string& what,
          DWORD timeoutMs = kWaitMs,
          const std::function<std::optional<std::string>()>& abort = {}) {
    std::optional<T> value;
    WaitUntil([&] { return (value = probe()).has_value(); }, what, timeoutMs, abort);
    return *value;
}

}  // namespace e2e
