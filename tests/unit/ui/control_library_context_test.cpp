// The declaration of Tollen.ocx beside the program: made from the IDL, activated
// only when the file is there, and then naming the control's class and type
// library in that file. (Creating the control from it is shown end to end.)
#include <objbase.h>
#include "command_line.h"
#include "picker_host/control_library_context.h"
#include "Tollen_h.h"
#include "ui_test_support.h"
#include "program_paths.h"

namespace {

bool Declared(ULONG section, const GUID& id) {
    ACTCTX_SECTION_KEYED_DATA found{};
    found.cbSize = sizeof found;
    return FindActCtxSectionGuid(0, nullptr, section, &id, &found) != FALSE;
}

// The built Tollen.ocx, by its host path (Wine's Z: is the host's root).
std::wstring BuiltLibrary() {
    std::wstring path = L"Z:";
    for (const char* c = TOLLEN_OCX_HOST_PATH; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

// A copy of the built Tollen.ocx, or a folder of that name, beside this test program
// for as long as it lives.
class BesideTheProgram {
public:
    explicit BesideTheProgram(bool asFolder)
        : path_(modMain::AddSlash(modMain::ProgramDirectory()) + kControlLibraryFile), folder_(asFolder) {
        if (folder_)
            EXPECT_TRUE(CreateDirectoryW(path_.c_str(), nullptr));
        else
            EXPECT_TRUE(CopyFileW(BuiltLibrary().c_str(), path_.c_str(), TRUE));
    }
    ~BesideTheProgram() { folder_ ? RemoveDirectoryW(path_.c_str()) : DeleteFileW(path_.c_str()); }
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
    bool folder_;
};

TEST(ControlLibraryContext, OnlyAFileBesideTheProgramActivatesTheDeclaration) {
    {
        const ControlLibraryContext none;
        EXPECT_FALSE(none.Active());
        EXPECT_FALSE(Declared(ACTIVATION_CONTEXT_SECTION_COM_SERVER_REDIRECTION, CLSID_Pathwick));
    }
    const BesideTheProgram folder(true);
    const ControlLibraryContext folderOfThatName;
    EXPECT_FALSE(folderOfThatName.Active());
}

TEST(ControlLibraryContext, TheDeclarationNamesTheClassAndTheTypeLibraryOfTheFileBesideTheProgram) {
    const BesideTheProgram library(false);
    {
        const ControlLibraryContext beside;
        ASSERT_TRUE(beside.Active());
        EXPECT_TRUE(Declared(ACTIVATION_CONTEXT_SECTION_COM_SERVER_REDIRECTION, CLSID_Pathwick));
        EXPECT_TRUE(Declared(ACTIVATION_CONTEXT_SECTION_COM_TYPE_LIBRARY_REDIRECTION, LIBID_Tollen));

        // The ProgID gives a class of the declaration (Wine answers with an alias of
        // the class identifier, which the declaration serves as the class itself).
        CLSID resolved{};
        ASSERT_EQ(CLSIDFromProgID(L"Tollen.Pathwick", &resolved), S_OK);
        EXPECT_TRUE(Declared(ACTIVATION_CONTEXT_SECTION_COM_SERVER_REDIRECTION, resolved));

        // Version 3.0 of the type library, in the file beside the program.
        BSTR path = nullptr;
        ASSERT_EQ(QueryPathOfRegTypeLib(LIBID_Tollen, 3, 0, LOCALE_NEUTRAL, &path), S_OK);
        EXPECT_EQ(_wcsicmp(path, library.path().c_str()), 0) << testing::PrintToString(std::wstring(path));
        SysFreeString(path);
    }
    EXPECT_FALSE(Declared(ACTIVATION_CONTEXT_SECTION_COM_SERVER_REDIRECTION, CLSID_Pathwick)) << "deactivated again";
}

}  // namespace
