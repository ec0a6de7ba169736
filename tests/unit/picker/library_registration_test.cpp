// The entry points: registration writes the standard layout and
// unregistration removes all of it; the class object and unloading rules.
#include "ocx_file.h"
#include "test_container.h"

#include <comcat.h>
#include <gtest/gtest.h>
#include <oleauto.h>

#include <set>
#include <string>

using namespace picker_test;

namespace {

using EntryPoint = HRESULT STDAPICALLTYPE();
using GetClassObject = HRESULT STDAPICALLTYPE(REFCLSID, REFIID, void**);
using Install = HRESULT STDAPICALLTYPE(BOOL, PCWSTR);

std::wstring Guid(REFGUID guid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, 40);
    return text;
}

// Every key and value below a key, one line each.
void ListTree(HKEY root, const std::wstring& path, std::set<std::wstring>& lines) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    lines.insert(path);
    wchar_t name[512];
    BYTE data[2048];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 512, dataLength = sizeof data, type = 0;
        if (::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS) break;
        std::wstring line = path + L" [" + name + L"]";
        if (type == REG_SZ) line += L" = " + std::wstring(reinterpret_cast<wchar_t*>(data));
        lines.insert(line);
    }
    std::set<std::wstring> subkeys;
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 512;
        if (::RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.insert(name);
    }
    ::RegCloseKey(key);
    for (const std::wstring& subkey : subkeys) ListTree(root, path + L"\\" + subkey, lines);
}

// The parts of a classes key a registration can touch: the names at the top
// and under CLSID, Interface and TypeLib, and everything below ours.
std::set<std::wstring> Listing(HKEY classes = HKEY_CLASSES_ROOT) {
    std::set<std::wstring> lines;
    for (const wchar_t* parent : {L"", L"CLSID", L"Interface", L"TypeLib"}) {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(classes, parent, 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
        wchar_t name[512];
        for (DWORD i = 0;; ++i) {
            DWORD length = 512;
            if (::RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            lines.insert(std::wstring(parent) + L"\\" + name);
        }
        ::RegCloseKey(key);
    }
    for (const std::wstring& ours : {L"CLSID\\" + Guid(CLSID_Pathwick), std::wstring(L"Tollen.Pathwick"),
                                     L"TypeLib\\" + Guid(LIBID_Tollen), L"Interface\\" + Guid(IID__Pathwick),
                                     L"Interface\\" + Guid(DIID___Pathwick)})
        ListTree(classes, ours, lines);
    return lines;
}

std::wstring Value(const std::wstring& path, const wchar_t* name = nullptr) {
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (::RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return L"(missing)";
    return data;
}

bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

class EntryPoints : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, ocx.module());
        registerServer = ocx.Export<EntryPoint>("DllRegisterServer");
        unregisterServer = ocx.Export<EntryPoint>("DllUnregisterServer");
        canUnloadNow = ocx.Export<EntryPoint>("DllCanUnloadNow");
        getClassObject = ocx.Export<GetClassObject>("DllGetClassObject");
        install = ocx.Export<Install>("DllInstall");
        ASSERT_TRUE(registerServer && unregisterServer && canUnloadNow && getClassObject && install);
    }
    // The other tests need the library registered: leave it so.
    void TearDown() override {
        if (registerServer) {
            EXPECT_EQ(S_OK, registerServer());
        }
    }

    OleThread ole;
    LoadedOcx ocx;
    EntryPoint* registerServer = nullptr;
    EntryPoint* unregisterServer = nullptr;
    EntryPoint* canUnloadNow = nullptr;
    GetClassObject* getClassObject = nullptr;
    Install* install = nullptr;
};

TEST_F(EntryPoints, RegisterWritesTheControlLayoutAndUnregisterRemovesAllOfIt) {
    ASSERT_EQ(S_OK, unregisterServer());
    const std::set<std::wstring> clean = Listing();
    EXPECT_EQ(S_OK, unregisterServer());  // already gone is fine
    EXPECT_EQ(clean, Listing());

    ASSERT_EQ(S_OK, registerServer());
    const std::wstring clsid = L"CLSID\\" + Guid(CLSID_Pathwick);
    const std::wstring path = OcxPath();
    EXPECT_EQ(path, Value(clsid + L"\\InprocServer32"));
    EXPECT_EQ(L"Apartment", Value(clsid + L"\\InprocServer32", L"ThreadingModel"));
    EXPECT_EQ(L"Tollen.Pathwick", Value(clsid + L"\\ProgID"));
    EXPECT_EQ(Guid(CLSID_Pathwick), Value(L"Tollen.Pathwick\\CLSID"));
    EXPECT_TRUE(KeyExists(clsid + L"\\Control"));
    EXPECT_EQ(L"132497", Value(clsid + L"\\MiscStatus\\1"));
    EXPECT_EQ(path + L", 30000", Value(clsid + L"\\ToolboxBitmap32"));
    EXPECT_EQ(Guid(LIBID_Tollen), Value(clsid + L"\\TypeLib"));
    EXPECT_EQ(L"3.0", Value(clsid + L"\\Version"));
    EXPECT_TRUE(KeyExists(clsid + L"\\Implemented Categories\\" + Guid(CATID_Control)));
    EXPECT_EQ(path, Value(L"TypeLib\\" + Guid(LIBID_Tollen) + L"\\3.0\\409\\" + kTypeLibPlatformKey));
    EXPECT_EQ(Guid(LIBID_Tollen), Value(L"Interface\\" + Guid(IID__Pathwick) + L"\\TypeLib"));
    EXPECT_TRUE(KeyExists(L"Interface\\" + Guid(DIID___Pathwick)));

    CLSID fromProgId{};
    EXPECT_EQ(S_OK, ::CLSIDFromProgID(L"Tollen.Pathwick", &fromProgId));
    EXPECT_EQ(CLSID_Pathwick, fromProgId);

    ASSERT_EQ(S_OK, unregisterServer());
    EXPECT_EQ(clean, Listing());
    EXPECT_TRUE(FAILED(::CLSIDFromProgID(L"Tollen.Pathwick", &fromProgId)));
}

// Lines below the top names (a first user registration also makes the containers).
std::set<std::wstring> Added(const std::set<std::wstring>& before, const std::set<std::wstring>& after) {
    std::set<std::wstring> added;
    for (const std::wstring& line : after)
        if (!before.count(line) && line[0] != L'\\') added.insert(line);
    return added;
}

// "regsvr32 /n /i:user": the machine registration's keys, under the user's classes
// and nowhere else, and taken back by "/u"; no other command line is taken.
TEST_F(EntryPoints, UserInstallWritesTheMachineKeysUnderTheUsersClassesAndTakesThemBack) {
    HKEY machineKey = nullptr, userKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes", 0, KEY_READ, &machineKey));
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_READ,
                                               nullptr, &userKey, nullptr));
    ASSERT_EQ(S_OK, unregisterServer());
    const std::set<std::wstring> machineClean = Listing(machineKey), userClean = Listing(userKey);
    ASSERT_EQ(S_OK, registerServer());
    const std::set<std::wstring> machineKeys = Added(machineClean, Listing(machineKey));
    ASSERT_EQ(S_OK, unregisterServer());
    EXPECT_EQ(S_OK, install(TRUE, L"USER"));
    EXPECT_EQ(machineClean, Listing(machineKey));
    EXPECT_EQ(machineKeys, Added(userClean, Listing(userKey)));
    EXPECT_EQ(S_OK, install(FALSE, L"user"));
    EXPECT_EQ(userClean, Listing(userKey));
    EXPECT_EQ(S_OK, install(FALSE, L"user"));  // already gone is fine
    for (const wchar_t* commandLine : {L"", L"machine", static_cast<const wchar_t*>(nullptr)})
        EXPECT_EQ(E_INVALIDARG, install(TRUE, commandLine));
    ::RegCloseKey(machineKey), ::RegCloseKey(userKey);
}

// The platform refuses to delete a key with subkeys as "access denied": such a
// key holds another program's part and stays, with that part; ours goes.
TEST_F(EntryPoints, UnregisterLeavesAKeyAnotherProgramAddedToWithItsPart) {
    ASSERT_EQ(S_OK, registerServer());
    const std::wstring clsid = L"CLSID\\" + Guid(CLSID_Pathwick);
    const std::wstring others = clsid + L"\\Implemented Categories\\{00000000-0000-0000-0000-0000000000A1}";
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CLASSES_ROOT, others.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                               &key, nullptr));
    ::RegCloseKey(key);
    EXPECT_EQ(S_OK, unregisterServer());
    EXPECT_TRUE(KeyExists(others));
    EXPECT_FALSE(KeyExists(clsid + L"\\InprocServer32"));
    EXPECT_FALSE(KeyExists(L"Tollen.Pathwick"));
    EXPECT_EQ(ERROR_SUCCESS, ::RegDeleteTreeW(HKEY_CLASSES_ROOT, clsid.c_str()));
}

TEST_F(EntryPoints, ClassObjectOnlyForPathwickAndWithoutAggregation) {
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject(IID_IDispatch, IID_PPV_ARGS(&factory)));
    EXPECT_EQ(nullptr, factory.Get());
    ASSERT_EQ(S_OK, getClassObject(CLSID_Pathwick, IID_PPV_ARGS(&factory)));

    ComPtr<IDispatch> outer = Make<NamedProperties>();
    ComPtr<IUnknown> inner;
    EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(outer.Get(), IID_IUnknown, &inner));
    EXPECT_EQ(nullptr, inner.Get());
}

TEST_F(EntryPoints, CanUnloadOnlyWhenNoObjectIsAliveAndNoLockIsHeld) {
    EXPECT_EQ(S_OK, canUnloadNow());
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(S_OK, getClassObject(CLSID_Pathwick, IID_PPV_ARGS(&factory)));
    ComPtr<IDispatch> control;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_PPV_ARGS(&control)));
    ASSERT_EQ(S_OK, factory->LockServer(TRUE));
    factory.Reset();
    EXPECT_EQ(S_FALSE, canUnloadNow());  // an instance and a lock

    control.Reset();
    EXPECT_EQ(S_FALSE, canUnloadNow());  // the lock alone
    ASSERT_EQ(S_OK, getClassObject(CLSID_Pathwick, IID_PPV_ARGS(&factory)));
    ASSERT_EQ(S_OK, factory->LockServer(FALSE));
    EXPECT_EQ(S_FALSE, canUnloadNow());  // the class object itself
    factory.Reset();
    EXPECT_EQ(S_OK, canUnloadNow());
}

}  // namespace
