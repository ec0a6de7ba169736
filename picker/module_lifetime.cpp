#include "module_lifetime.h"

#include "com_boundary.h"

#include <atomic>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace tollen {
namespace {
std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};
}  // namespace

HMODULE ThisModule() noexcept { return reinterpret_cast<HMODULE>(&__ImageBase); }

std::wstring ThisModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(ThisModule(), path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) win32::ThrowLastError();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void ObjectCreated() noexcept { ++liveObjects; }
void ObjectDestroyed() noexcept { --liveObjects; }
void LockModule(bool lock) noexcept { lock ? ++serverLocks : --serverLocks; }
bool ModuleInUse() noexcept { return liveObjects.load() > 0 || serverLocks.load() > 0; }

}  // namespace tollen
