// Tollen.ocx as a file: its exports, imports, resources and version block.
#include "ocx_file.h"
#include "pathwick_version.h"

#include <Tollen_h.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <vector>

using namespace picker_test;

namespace {

class LibraryFile : public ::testing::Test {
protected:
    void SetUp() override {
        data = ::LoadLibraryExW(OcxPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, data) << ::GetLastError();
    }
    void TearDown() override { ::FreeLibrary(data); }

    std::vector<BYTE> Resource(const wchar_t* type, const wchar_t* name) {
        HRSRC found = ::FindResourceW(data, name, type);
        if (!found) return {};
        const auto* bytes = static_cast<const BYTE*>(::LockResource(::LoadResource(data, found)));
        return std::vector<BYTE>(bytes, bytes + ::SizeofResource(data, found));
    }

    HMODULE data = nullptr;
};

template <class T>
T Read(const std::vector<BYTE>& bytes, size_t at) {
    T value{};
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

void ExpectIidRecord(const std::vector<BYTE>& record, REFIID expected) {
    ASSERT_EQ(20u, record.size());
    EXPECT_EQ(16u, Read<DWORD>(record, 0));
    EXPECT_EQ(expected, Read<GUID>(record, 4));
}

TEST_F(LibraryFile, InterfaceIdRecordsAgreeWithTheIdl) {
    ExpectIidRecord(Resource(L"_IID_PATHWICK", MAKEINTRESOURCEW(1)), IID__Pathwick);
    ExpectIidRecord(Resource(L"_SRCIID_PATHWICK", MAKEINTRESOURCEW(1)), DIID___Pathwick);
}

TEST_F(LibraryFile, CarriesTheTypeLibraryAndThePictures) {
    const std::vector<BYTE> typeLibrary = Resource(L"TYPELIB", MAKEINTRESOURCEW(1));
    ASSERT_GE(typeLibrary.size(), 4u);
    EXPECT_EQ(0, std::memcmp(typeLibrary.data(), "MSFT", 4));

    const std::vector<BYTE> toolbox = Resource(RT_BITMAP, MAKEINTRESOURCEW(30000));
    ASSERT_GE(toolbox.size(), sizeof(BITMAPINFOHEADER));
    const auto header = Read<BITMAPINFOHEADER>(toolbox, 0);
    EXPECT_EQ(16, header.biWidth);
    EXPECT_EQ(15, header.biHeight);
    EXPECT_EQ(24, header.biBitCount);

    // The icon group: one 32 x 32 image of 256 colours.
    const std::vector<BYTE> icons = Resource(RT_GROUP_ICON, MAKEINTRESOURCEW(1));
    ASSERT_GE(icons.size(), 6u + 14u);
    EXPECT_EQ(1, Read<WORD>(icons, 4));
    EXPECT_EQ(32, icons[6]);
    EXPECT_EQ(32, icons[7]);
    EXPECT_EQ(8, Read<WORD>(icons, 6 + 6));

    // A cursor resource starts with its hot spot.
    const std::vector<BYTE> cursor = Resource(RT_CURSOR, MAKEINTRESOURCEW(1));
    ASSERT_GE(cursor.size(), 4u);
    EXPECT_EQ(12, Read<WORD>(cursor, 0));
    EXPECT_EQ(1, Read<WORD>(cursor, 2));

    const std::vector<BYTE> gif = Resource(L"GIF", MAKEINTRESOURCEW(1));
    ASSERT_GE(gif.size(), 10u);
    EXPECT_EQ(0, std::memcmp(gif.data(), "GIF87a", 6));
    EXPECT_EQ(32, Read<WORD>(gif, 6));
    EXPECT_EQ(32, Read<WORD>(gif, 8));
}

std::wstring VersionString(const std::vector<BYTE>& block, const std::wstring& key, bool* present = nullptr) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\040904B0\\" + key;
    const bool found = ::VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) != 0;
    if (present) *present = found;
    return found && value && length > 0 ? std::wstring(value) : std::wstring();
}

TEST_F(LibraryFile, VersionBlockHoldsEveryString) {
    const std::wstring path = OcxPath();
    DWORD ignored = 0;
    std::vector<BYTE> block(::GetFileVersionInfoSizeW(path.c_str(), &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(MAKELONG(PATHWICK_VERSION_MINOR, PATHWICK_VERSION_MAJOR), fixed->dwFileVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    EXPECT_EQ(MAKELONG(PATHWICK_VERSION_MINOR, PATHWICK_VERSION_MAJOR), fixed->dwProductVersionMS);
    EXPECT_EQ(0u, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), fixed->dwFileOS);
    EXPECT_EQ(static_cast<DWORD>(VFT_DLL), fixed->dwFileType);

    DWORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                                 &length));
    EXPECT_EQ(MAKELONG(0x0409, 1200), *translation);

    EXPECT_EQ(L"Pathwick Directory Browser", VersionString(block, L"Comments"));
    EXPECT_EQ(L"Marrowby Labs", VersionString(block, L"CompanyName"));
    EXPECT_EQ(L"Directory Browser Control", VersionString(block, L"FileDescription"));
    EXPECT_EQ(L"Copyright (C) 2026 Marrowby Labs", VersionString(block, L"LegalCopyright"));
    EXPECT_EQ(L"Pathwick", VersionString(block, L"ProductName"));
    EXPECT_EQ(PATHWICK_VERSION_TEXT_W, VersionString(block, L"FileVersion"));
    EXPECT_EQ(PATHWICK_VERSION_TEXT_W, VersionString(block, L"ProductVersion"));
    EXPECT_EQ(L"Tollen", VersionString(block, L"InternalName"));
    EXPECT_EQ(L"Tollen.ocx", VersionString(block, L"OriginalFilename"));
    bool selfRegister = false;
    EXPECT_EQ(L"", VersionString(block, L"OLESelfRegister", &selfRegister));
    EXPECT_TRUE(selfRegister);
}

// The export and import directories, read from the mapped image.
class LoadedImage : public ::testing::Test {
protected:
    template <class T>
    const T* At(DWORD rva) const {
        return reinterpret_cast<const T*>(reinterpret_cast<const BYTE*>(ocx.module()) + rva);
    }
    // The headers of this build's own kind (IMAGE_NT_HEADERS is the 32- or 64-bit layout).
    const IMAGE_NT_HEADERS& Headers() const {
        return *At<IMAGE_NT_HEADERS>(static_cast<DWORD>(At<IMAGE_DOS_HEADER>(0)->e_lfanew));
    }
    const IMAGE_DATA_DIRECTORY& Directory(int index) const { return Headers().OptionalHeader.DataDirectory[index]; }
    LoadedOcx ocx;
};

TEST_F(LoadedImage, IsBuiltForThisProcessorAsADll) {
    ASSERT_NE(nullptr, ocx.module());
    EXPECT_EQ(kBuiltMachine, Headers().FileHeader.Machine);
    EXPECT_EQ(IMAGE_NT_OPTIONAL_HDR_MAGIC, Headers().OptionalHeader.Magic);
    EXPECT_TRUE(Headers().FileHeader.Characteristics & IMAGE_FILE_DLL);
}

TEST_F(LoadedImage, ExportsTheEntryPointsByOrdinalAndNothingElse) {
    ASSERT_NE(nullptr, ocx.module());
    const auto* exports = At<IMAGE_EXPORT_DIRECTORY>(Directory(IMAGE_DIRECTORY_ENTRY_EXPORT).VirtualAddress);
    EXPECT_STREQ("Tollen.ocx", At<char>(exports->Name));
    EXPECT_EQ(1u, exports->Base);
    const char* expected[] = {"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer", "DllUnregisterServer",
                              "DllInstall"};
    ASSERT_EQ(std::size(expected), exports->NumberOfFunctions);
    ASSERT_EQ(std::size(expected), exports->NumberOfNames);
    const auto* names = At<DWORD>(exports->AddressOfNames);
    const auto* ordinals = At<WORD>(exports->AddressOfNameOrdinals);
    for (DWORD i = 0; i < std::size(expected); ++i) {
        const char* name = At<char>(names[i]);
        const DWORD ordinal = exports->Base + ordinals[i];
        EXPECT_STREQ(expected[ordinal - 1], name);
        EXPECT_EQ(reinterpret_cast<void*>(::GetProcAddress(ocx.module(), name)),
                  reinterpret_cast<void*>(::GetProcAddress(ocx.module(), MAKEINTRESOURCEA(ordinal))));
    }
}

TEST_F(LoadedImage, ImportsOnlySystemLibraries) {
    ASSERT_NE(nullptr, ocx.module());
    const std::set<std::string> system = {"kernel32.dll", "user32.dll", "gdi32.dll",   "advapi32.dll", "ole32.dll",
                                          "oleaut32.dll", "shell32.dll", "shlwapi.dll", "version.dll", "msvcrt.dll"};
    const auto* import = At<IMAGE_IMPORT_DESCRIPTOR>(Directory(IMAGE_DIRECTORY_ENTRY_IMPORT).VirtualAddress);
    int count = 0;
    for (; import->Name != 0; ++import, ++count) {
        std::string name = At<char>(import->Name);
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(system.count(name)) << name;
    }
    EXPECT_GT(count, 0);
}

}  // namespace
