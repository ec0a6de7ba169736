#include "registration.h"

#include "com_boundary.h"
#include "control_extent.h"
#include "module_lifetime.h"
#include "resource_ids.h"
#include "com_owners.h"
#include "handle_owners.h"

#include <Tollen_h.h>
#include <comcat.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace tollen {
namespace {

// Everything under HKEY_CLASSES_ROOT that registration writes besides what
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

void WriteEntry(const RegistryEntry& entry, const std::vector<Placeholder>& placeholders) {
    win32::RegKey key;
    ThrowIfError(::RegCreateKeyExW(HKEY_CLASSES_ROOT, Expand(entry.key, placeholders).c_str(), 0, nullptr,
                                   REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.put(), nullptr));
    if (!entry.value) return;
    const std::wstring value = Expand(entry.value, placeholders);
    ThrowIfError(::RegSetValueExW(key.get(), entry.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))));
}

// Whether the key has subkeys of its own: then it is not ours alone to delete.
bool HasSubkeys(const std::wstring& path) {
    win32::RegKey key;
    ThrowIfError(::RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_QUERY_VALUE, key.put()));
    DWORD subkeys = 0;
    ThrowIfError(::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr));
    return subkeys > 0;
}

// Deletes the table's keys deepest first; a key some other program has added
// to is left in place with the other program's part. The platform refuses to
// delete a key with subkeys as "access denied"; any other refusal is a failure.
void DeleteEntries(const std::vector<Placeholder>& placeholders) {
    for (auto entry = std::rbegin(ClassEntries); entry != std::rend(ClassEntries); ++entry) {
        const std::wstring path = Expand(entry->key, placeholders);
        const LSTATUS status = ::RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
        if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) continue;
        if (status == ERROR_ACCESS_DENIED && HasSubkeys(path)) continue;
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

void UnregisterTypeLibrary(const TLIBATTR& library) {
    win32::Bstr registeredPath;
    if (FAILED(::QueryPathOfRegTypeLib(library.guid, library.wMajorVerNum, library.wMinorVerNum, library.lcid,
                                       registeredPath.put())))
        return;  // not registered: nothing to remove
    win32::ThrowIfFailed(::UnRegisterTypeLib(library.guid, library.wMajorVerNum, library.wMinorVerNum, library.lcid,
                                             library.syskind));
}

void Unregister(const std::wstring& path, const TLIBATTR& library) {
    DeleteEntries(Placeholders(path, library));
    UnregisterTypeLibrary(library);
}

}  // namespace

HRESULT RegisterServer() noexcept {
    return Guarded(IID_NULL, []() -> HRESULT {
        const std::wstring path = ThisModulePath();
        const LoadedLibrary loaded = LoadOwnTypeLibrary(path);
        try {
            win32::ThrowIfFailed(::RegisterTypeLib(loaded.library.Get(), const_cast<LPOLESTR>(path.c_str()), nullptr));
            const std::vector<Placeholder> placeholders = Placeholders(path, loaded.attributes);
            for (const RegistryEntry& entry : ClassEntries) WriteEntry(entry, placeholders);
        } catch (...) {
            // Leave no half registration behind; the first failure is the one reported.
            try {
                Unregister(path, loaded.attributes);
            } catch (...) {
            }
            throw;
        }
        return S_OK;
    });
}

HRESULT UnregisterServer() noexcept {
    return Guarded(IID_NULL, []() -> HRESULT {
        const std::wstring path = ThisModulePath();
        Unregister(path, LoadOwnTypeLibrary(path).attributes);
        return S_OK;
    });
}

}  // namespace tollen
