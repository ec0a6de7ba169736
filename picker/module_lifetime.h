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

// Makes a new object and hands out the interface asked for; the object's own
// first reference is dropped, so a failed query deletes it again. (Not
// ComPtr::Attach: mingw-w64's version of it adds a reference.)
template <class Object>
HRESULT NewObjectAs(REFIID iid, void** result) {
    if (!result) return E_POINTER;
    *result = nullptr;
    Object* created = new Object();
    const HRESULT hr = created->QueryInterface(iid, result);
    created->Release();
    return hr;
}

}  // namespace tollen
