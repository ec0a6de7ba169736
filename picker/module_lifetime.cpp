#include "module_lifetime.h"

#include "com_boundary.h"
#include "sized_text.h"

#include <atomic>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace tollen {
namespace {
std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};
}  // namespace

HMODULE ThisModule() noexcept { return reinterpret_cast<HMODULE>(&__ImageBase); }

std::wstring ThisModulePath() {
    const std::wstring path = win32::ModulePath(ThisModule());
    if (path.empty()) win32::ThrowLastError();
    return path;
}

void ObjectCreated() noexcept { ++liveObjects; }
void ObjectDestroyed() noexcept { --liveObjects; }
void LockModule(bool lock) noexcept { lock ? ++serverLocks : --serverLocks; }
bool ModuleInUse() noexcept { return liveObjects.load() > 0 || serverLocks.load() > 0; }

}  // namespace tollen
