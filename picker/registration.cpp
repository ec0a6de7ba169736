#include "registration.h"

#include "com_boundary.h"
#include "control_extent.h"
#include "module_lifetime.h"
#include "tollen_resource_ids.h"
#include "com_owners.h"
#include "handle_owners.h"

#include <Tollen_h.h>
#include <comcat.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <cwchar>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

// In oleaut32 since Windows Vista; the toolchain's headers leave them out.
WINOLEAUTAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* fullPath, OLECHAR* helpDirectory);
WINOLEAUTAPI UnRegisterTypeLibForUser(REFGUID libraryId, WORD majorVersion, WORD minorVersion, LCID lcid,
                                      SYSKIND syskind);

namespace tollen {
namespace {

// Everything under the classes key that registration writes besides what
// RegisterTypeLib writes. A null value makes the key alone; a null name is the
// key's default value. Placeholders in braces are filled by Expand.
struct RegistryEntry {
    const wchar_t* key;
    const wchar_t* name;
    const wchar_t* value;
};

constexpr RegistryEntry ClassEntries[] = {
    {L"CLSID\\{clsid}", nullptr, L"Pathwick"},
    {L"CLSID\\{clsid}\\InprocServer32", nullptr, L"{path}"},
    {L"CLSID\\{clsid}\\InprocServer32", L"ThreadingModel", L"Apartment"},
    {L"CLSID\\{clsid}\\ProgID", nullptr, L"Tollen.Pathwick"},
    {L"CLSID\\{clsid}\\Control", nullptr, nullptr},
    {L"CLSID\\{clsid}\\MiscStatus", nullptr, L"0"},
    {L"CLSID\\{clsid}\\MiscStatus\\1", nullptr, L"{miscstatus}"},
    {L"CLSID\\{clsid}\\ToolboxBitmap32", nullptr, L"{path}, {toolbox}"},
    {L"CLSID\\{clsid}\\TypeLib", nullptr, L"{libid}"},
    {L"CLSID\\{clsid}\\Version", nullptr, L"{version}"},
    {L"CLSID\\{clsid}\\Implemented Categories", nullptr, nullptr},
    {L"CLSID\\{clsid}\\Implemented Categories\\{catid}", nullptr, nullptr},
    {L"Tollen.Pathwick", nullptr, L"Pathwick"},
    {L"Tollen.Pathwick\\CLSID", nullptr, L"{clsid}"},
};

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, static_cast<int>(std::size(text)));
    return text;
}

struct Placeholder {
    std::wstring name;
    std::wstring value;
};

std::vector<Placeholder> Placeholders(const std::wstring& path, const TLIBATTR& library) {
    return {
        {L"{clsid}", GuidText(CLSID_Pathwick)},
        {L"{libid}", GuidText(library.guid)},
        {L"{catid}", GuidText(CATID_Control)},
        {L"{path}", path},
        {L"{miscstatus}", std::to_wstring(PathwickMiscStatus)},
        {L"{toolbox}", std::to_wstring(IDB_TOOLBOX)},
        {L"{version}", std::to_wstring(library.wMajorVerNum) + L"." + std::to_wstring(library.wMinorVerNum)},
    };
}

std::wstring Expand(const wchar_t* pattern, const std::vector<Placeholder>& placeholders) {
    std::wstring text = pattern;
    for (const Placeholder& placeholder : placeholders)
        for (size_t at = text.find(placeholder.name); at != std::wstring::npos;
             at = text.find(placeholder.name, at + placeholder.value.size()))
            text.replace(at, placeholder.name.size(), placeholder.value);
    return text;
}

void ThrowIfError(LSTATUS status) {
    if (status != ERROR_SUCCESS) throw win32::Error(HRESULT_FROM_WIN32(status));
}

// The classes key of a scope: HKEY_CLASSES_ROOT itself, or the current user's
// Software\Classes, open while the registration runs.
class ClassesKey {
public:
    explicit ClassesKey(Scope scope) {
        if (scope == Scope::Machine) return;
        ThrowIfError(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_READ | KEY_WRITE, nullptr, user_.put(), nullptr));
    }
    HKEY get() const noexcept { return user_ ? user_.get() : HKEY_CLASSES_ROOT; }

private:
    win32::RegKey user_;
};

void WriteEntry(HKEY classes, const RegistryEntry& entry, const std::vector<Placeholder>& placeholders) {
    win32::RegKey key;
    ThrowIfError(::RegCreateKeyExW(classes, Expand(entry.key, placeholders).c_str(), 0, nullptr,
                                   REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.put(), nullptr));
    if (!entry.value) return;
    const std::wstring value = Expand(entry.value, placeholders);
    ThrowIfError(::RegSetValueExW(key.get(), entry.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))));
}

// Whether the key has subkeys of its own: then it is not ours alone to delete.
bool HasSubkeys(HKEY classes, const std::wstring& path) {
    win32::RegKey key;
    ThrowIfError(::RegOpenKeyExW(classes, path.c_str(), 0, KEY_QUERY_VALUE, key.put()));
    DWORD subkeys = 0;
    ThrowIfError(::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr));
    return subkeys > 0;
}

// Deletes the table's keys deepest first; a key some other program has added
// to is left in place with the other program's part. The platform refuses to
// delete a key with subkeys as "access denied"; any other refusal is a failure.
void DeleteEntries(HKEY classes, const std::vector<Placeholder>& placeholders) {
    for (auto entry = std::rbegin(ClassEntries); entry != std::rend(ClassEntries); ++entry) {
        const std::wstring path = Expand(entry->key, placeholders);
        const LSTATUS status = ::RegDeleteKeyW(classes, path.c_str());
        if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) continue;
        if (status == ERROR_ACCESS_DENIED && HasSubkeys(classes, path)) continue;
        throw win32::Error(HRESULT_FROM_WIN32(status));
    }
}

struct LoadedLibrary {
    ComPtr<ITypeLib> library;
    TLIBATTR attributes{};
};

LoadedLibrary LoadOwnTypeLibrary(const std::wstring& path) {
    LoadedLibrary loaded;
    win32::ThrowIfFailed(::LoadTypeLibEx(path.c_str(), REGKIND_NONE, &loaded.library));
    TLIBATTR* attributes = nullptr;
    win32::ThrowIfFailed(loaded.library->GetLibAttr(&attributes));
    loaded.attributes = *attributes;
    loaded.library->ReleaseTLibAttr(attributes);
    return loaded;
}

// Some platforms' RegisterTypeLibForUser and UnRegisterTypeLibForUser fall back to
// the machine's classes (Wine's do). With HKEY_CLASSES_ROOT pointed at the user's
// classes for the call, the keys land there either way. The override is the
// process's, so it lasts only for the call; it ends any override the host had set.
class ClassesRootOverride {
public:
    explicit ClassesRootOverride(HKEY userClasses) {
        ThrowIfError(::RegOverridePredefKey(HKEY_CLASSES_ROOT, userClasses));
    }
    ~ClassesRootOverride() { ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr); }
    ClassesRootOverride(const ClassesRootOverride&) = delete;
    ClassesRootOverride& operator=(const ClassesRootOverride&) = delete;
};

void RegisterTypeLibrary(Scope scope, HKEY classes, ITypeLib* library, const std::wstring& path) {
    const auto fullPath = const_cast<LPOLESTR>(path.c_str());
    if (scope == Scope::Machine) {
        win32::ThrowIfFailed(::RegisterTypeLib(library, fullPath, nullptr));
        return;
    }
    const ClassesRootOverride toUser(classes);
    win32::ThrowIfFailed(::RegisterTypeLibForUser(library, fullPath, nullptr));
}

// Whether the scope's own classes hold this version of the library; the merged
// view a lookup such as QueryPathOfRegTypeLib reads would also show the other scope's.
bool TypeLibraryRegisteredIn(HKEY classes, const TLIBATTR& library) {
    wchar_t version[16] = {};
    ::swprintf(version, std::size(version), L"%x.%x", library.wMajorVerNum, library.wMinorVerNum);
    win32::RegKey key;
    const std::wstring path = L"TypeLib\\" + GuidText(library.guid) + L"\\" + version;
    return ::RegOpenKeyExW(classes, path.c_str(), 0, KEY_QUERY_VALUE, key.put()) == ERROR_SUCCESS;
}

void UnregisterTypeLibrary(Scope scope, HKEY classes, const TLIBATTR& library) {
    if (scope == Scope::User) {
        if (!TypeLibraryRegisteredIn(classes, library)) return;
        const ClassesRootOverride toUser(classes);
        win32::ThrowIfFailed(::UnRegisterTypeLibForUser(library.guid, library.wMajorVerNum, library.wMinorVerNum,
                                                        library.lcid, library.syskind));
        return;
    }
    win32::Bstr registeredPath;
    if (FAILED(::QueryPathOfRegTypeLib(library.guid, library.wMajorVerNum, library.wMinorVerNum, library.lcid,
                                       registeredPath.put())))
        return;  // not registered: nothing to remove
    win32::ThrowIfFailed(::UnRegisterTypeLib(library.guid, library.wMajorVerNum, library.wMinorVerNum, library.lcid,
                                             library.syskind));
}

// The containers a user registration may have had to create, deleted once they
// hold nothing: the user's classes are left as they were before it. (The
// machine's always hold other programs' keys.)
void DeleteEmptyContainers(HKEY classes) {
    for (const wchar_t* container : {L"CLSID", L"Interface", L"TypeLib"}) {
        win32::RegKey key;
        if (::RegOpenKeyExW(classes, container, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) continue;
        DWORD subkeys = 0, values = 0;
        ThrowIfError(::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                                        nullptr, nullptr, nullptr, nullptr));
        key.reset();
        if (subkeys == 0 && values == 0) ThrowIfError(::RegDeleteKeyW(classes, container));
    }
}

void Unregister(Scope scope, const ClassesKey& classes, const std::wstring& path, const TLIBATTR& library) {
    DeleteEntries(classes.get(), Placeholders(path, library));
    UnregisterTypeLibrary(scope, classes.get(), library);
    if (scope == Scope::User) DeleteEmptyContainers(classes.get());
}

}  // namespace

HRESULT RegisterServer(Scope scope) noexcept {
    return Guarded(IID_NULL, [scope]() -> HRESULT {
        const std::wstring path = ThisModulePath();
        const LoadedLibrary loaded = LoadOwnTypeLibrary(path);
        const ClassesKey classes(scope);
        try {
            RegisterTypeLibrary(scope, classes.get(), loaded.library.Get(), path);
            const std::vector<Placeholder> placeholders = Placeholders(path, loaded.attributes);
            for (const RegistryEntry& entry : ClassEntries) WriteEntry(classes.get(), entry, placeholders);
        } catch (...) {
            // Leave no half registration behind; the first failure is the one reported.
            try {
                Unregister(scope, classes, path, loaded.attributes);
            } catch (...) {
            }
            throw;
        }
        return S_OK;
    });
}

HRESULT UnregisterServer(Scope scope) noexcept {
    return Guarded(IID_NULL, [scope]() -> HRESULT {
        const std::wstring path = ThisModulePath();
        Unregister(scope, ClassesKey(scope), path, LoadOwnTypeLibrary(path).attributes);
        return S_OK;
    });
}

}  // namespace tollen
