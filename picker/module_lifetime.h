// The library's own module and the count of what keeps it loaded: live objects
// (instances, class factories) and LockServer locks.
#pragma once

#include <windows.h>

#include <string>

namespace tollen {

HMODULE ThisModule() noexcept;
// Full path of Tollen.ocx as loaded.
std::wstring ThisModulePath();

void ObjectCreated() noexcept;
void ObjectDestroyed() noexcept;
void LockModule(bool lock) noexcept;
bool ModuleInUse() noexcept;

// Counts an object for as long as it lives; a base of every COM object here.
class CountedObject {
public:
    CountedObject() noexcept { ObjectCreated(); }
    CountedObject(const CountedObject&) = delete;
    CountedObject& operator=(const CountedObject&) = delete;
    ~CountedObject() { ObjectDestroyed(); }
};

}  // namespace tollen
