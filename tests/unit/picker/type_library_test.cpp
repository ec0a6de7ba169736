// The registered type library read back: library record, order of contents,
// the members of _Pathwick, the class and the empty source interface.
#include "ocx_file.h"
#include "test_container.h"

#include <gtest/gtest.h>
#include <oleauto.h>
#include <olectl.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

using namespace picker_test;

namespace {

// The help strings that the library's source gives, in its order: the library's
// own first, then each member's of _Pathwick (empty where it gives none). The
// built library must carry them as written.
struct SourceHelp {
    std::wstring library;
    std::vector<std::wstring> members;
};

SourceHelp HelpInTheSource() {
    std::ifstream file(TOLLEN_IDL_PATH);
    EXPECT_TRUE(file) << TOLLEN_IDL_PATH;
    const std::string idl((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const auto wide = [](const std::string& text) { return std::wstring(text.begin(), text.end()); };
    SourceHelp help;
    std::smatch found;
    if (std::regex_search(idl, found, std::regex(R"re(helpstring\("([^"]*)"\),\s*control\s*\]\s*library)re")))
        help.library = wide(found[1]);
    const std::regex member(R"re(\[\s*id\([^\]]*?(helpstring\("([^"]*)"\))?\s*\]\s*HRESULT)re");
    for (auto it = std::sregex_iterator(idl.begin(), idl.end(), member); it != std::sregex_iterator(); ++it)
        help.members.push_back(wide((*it)[2]));
    return help;
}

class TypeLibrary : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(S_OK, ::LoadRegTypeLib(LIBID_Tollen, 3, 0, 0x0409, &library)); }

    static std::wstring Name(ITypeInfo* info, MEMBERID id, std::wstring* help = nullptr) {
        BSTR name = nullptr, doc = nullptr;
        EXPECT_EQ(S_OK, info->GetDocumentation(id, &name, &doc, nullptr, nullptr));
        std::wstring result = name ? name : L"";
        if (help) *help = doc ? doc : L"";
        ::SysFreeString(name);
        ::SysFreeString(doc);
        return result;
    }
    static TYPEATTR Attributes(ITypeInfo* info) {
        TYPEATTR* attributes = nullptr;
        EXPECT_EQ(S_OK, info->GetTypeAttr(&attributes));
        TYPEATTR copy = *attributes;
        info->ReleaseTypeAttr(attributes);
        return copy;
    }

    OleThread ole;
    ComPtr<ITypeLib> library;
};

TEST_F(TypeLibrary, LibraryRecord) {
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, library->GetLibAttr(&attributes));
    EXPECT_EQ(LIBID_Tollen, attributes->guid);  // widl has been seen to corrupt its last byte
    EXPECT_EQ(3, attributes->wMajorVerNum);
    EXPECT_EQ(0, attributes->wMinorVerNum);
    EXPECT_EQ(0x0409u, attributes->lcid);
    EXPECT_EQ(picker_test::kBuiltSysKind, attributes->syskind);
    EXPECT_TRUE(attributes->wLibFlags & LIBFLAG_FCONTROL);
    library->ReleaseTLibAttr(attributes);

    BSTR name = nullptr, help = nullptr;
    ASSERT_EQ(S_OK, library->GetDocumentation(-1, &name, &help, nullptr, nullptr));
    EXPECT_STREQ(L"Tollen", name);
    EXPECT_EQ(HelpInTheSource().library, help);
    EXPECT_FALSE(HelpInTheSource().library.empty());
    ::SysFreeString(name);
    ::SysFreeString(help);
}

TEST_F(TypeLibrary, ContentsInOrderWithTheirGuids) {
    ASSERT_EQ(3u, library->GetTypeInfoCount());
    const wchar_t* names[] = {L"_Pathwick", L"Pathwick", L"__Pathwick"};
    const GUID guids[] = {IID__Pathwick, CLSID_Pathwick, DIID___Pathwick};
    for (UINT i = 0; i < 3; ++i) {
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(S_OK, library->GetTypeInfo(i, &info));
        EXPECT_EQ(names[i], Name(info.Get(), MEMBERID_NIL));
        EXPECT_EQ(guids[i], Attributes(info.Get()).guid);
    }
}

struct Member {
    const wchar_t* name;
    MEMBERID id;
    INVOKEKIND kind;
    VARTYPE pointee;  // the type of the one parameter (under VT_PTR when it is a result)
};

TEST_F(TypeLibrary, PathwickMembersInOrder) {
    ComPtr<ITypeInfo> dispatchHalf, info;
    ASSERT_EQ(S_OK, library->GetTypeInfoOfGuid(IID__Pathwick, &dispatchHalf));
    const TYPEATTR dual = Attributes(dispatchHalf.Get());
    EXPECT_EQ(1, dual.wMajorVerNum);
    EXPECT_EQ(0, dual.wMinorVerNum);
    const WORD flags = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE;
    EXPECT_EQ(flags, dual.wTypeFlags & flags);
    HREFTYPE vtableHalf = 0;
    ASSERT_EQ(S_OK, dispatchHalf->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableHalf));
    ASSERT_EQ(S_OK, dispatchHalf->GetRefTypeInfo(vtableHalf, &info));
    const TYPEATTR vtable = Attributes(info.Get());
    ASSERT_EQ(TKIND_INTERFACE, vtable.typekind);
    const WORD vtableFlags = flags | TYPEFLAG_FOLEAUTOMATION;
    EXPECT_EQ(vtableFlags, vtable.wTypeFlags & vtableFlags);

    const Member expected[] = {
        {L"Initial", DISPID_PATHWICK_INITIAL, INVOKE_PROPERTYGET, VT_BSTR},
        {L"Initial", DISPID_PATHWICK_INITIAL, INVOKE_PROPERTYPUT, VT_BSTR},
        {L"Selected", DISPID_PATHWICK_SELECTED, INVOKE_PROPERTYGET, VT_VARIANT},
        {L"Canceled", DISPID_PATHWICK_CANCELED, INVOKE_PROPERTYGET, VT_VARIANT},
        {L"Browse", DISPID_PATHWICK_BROWSE, INVOKE_FUNC, VT_BOOL},
        {L"Prompt", DISPID_PATHWICK_PROMPT, INVOKE_PROPERTYGET, VT_BSTR},
        {L"Prompt", DISPID_PATHWICK_PROMPT, INVOKE_PROPERTYPUT, VT_BSTR},
        {L"ShowAboutBox", DISPID_ABOUTBOX, INVOKE_FUNC, VT_EMPTY},
    };
    const std::vector<std::wstring> sourceHelp = HelpInTheSource().members;
    ASSERT_EQ(std::size(expected), sourceHelp.size());
    ASSERT_EQ(std::size(expected), Attributes(info.Get()).cFuncs);
    for (UINT i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        FUNCDESC* function = nullptr;
        ASSERT_EQ(S_OK, info->GetFuncDesc(i, &function));
        std::wstring help;
        EXPECT_EQ(expected[i].name, Name(info.Get(), function->memid, &help));
        EXPECT_EQ(sourceHelp[i], help);
        EXPECT_EQ(expected[i].id, function->memid);
        EXPECT_EQ(expected[i].kind, function->invkind);
        EXPECT_EQ(VT_HRESULT, function->elemdescFunc.tdesc.vt);
        if (expected[i].pointee == VT_EMPTY) {
            EXPECT_EQ(0, function->cParams);
        } else {
            ASSERT_EQ(1, function->cParams);
            const ELEMDESC& parameter = function->lprgelemdescParam[0];
            if (expected[i].kind == INVOKE_PROPERTYPUT) {
                EXPECT_EQ(expected[i].pointee, parameter.tdesc.vt);
                EXPECT_TRUE(parameter.paramdesc.wParamFlags & PARAMFLAG_FIN);
            } else {
                ASSERT_EQ(VT_PTR, parameter.tdesc.vt);
                EXPECT_EQ(expected[i].pointee, parameter.tdesc.lptdesc->vt);
                EXPECT_EQ(PARAMFLAG_FOUT | PARAMFLAG_FRETVAL, parameter.paramdesc.wParamFlags);
            }
        }
        info->ReleaseFuncDesc(function);
    }
}

TEST_F(TypeLibrary, PathwickClassAndItsEmptySourceInterface) {
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(S_OK, library->GetTypeInfoOfGuid(CLSID_Pathwick, &coclass));
    const TYPEATTR attributes = Attributes(coclass.Get());
    EXPECT_EQ(TKIND_COCLASS, attributes.typekind);
    EXPECT_EQ(1, attributes.wMajorVerNum);
    EXPECT_EQ(0, attributes.wMinorVerNum);
    EXPECT_TRUE(attributes.wTypeFlags & TYPEFLAG_FCONTROL);
    EXPECT_TRUE(attributes.wTypeFlags & TYPEFLAG_FCANCREATE);
    ASSERT_EQ(2, attributes.cImplTypes);

    const GUID implemented[] = {IID__Pathwick, DIID___Pathwick};
    const INT implFlags[] = {IMPLTYPEFLAG_FDEFAULT, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE};
    for (UINT i = 0; i < 2; ++i) {
        INT flags = 0;
        ASSERT_EQ(S_OK, coclass->GetImplTypeFlags(i, &flags));
        EXPECT_EQ(implFlags[i], flags);
        HREFTYPE reference = 0;
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(S_OK, coclass->GetRefTypeOfImplType(i, &reference));
        ASSERT_EQ(S_OK, coclass->GetRefTypeInfo(reference, &info));
        EXPECT_EQ(implemented[i], Attributes(info.Get()).guid);
    }

    ComPtr<ITypeInfo> source;
    ASSERT_EQ(S_OK, library->GetTypeInfoOfGuid(DIID___Pathwick, &source));
    const TYPEATTR sourceAttributes = Attributes(source.Get());
    EXPECT_EQ(TKIND_DISPATCH, sourceAttributes.typekind);
    EXPECT_TRUE(sourceAttributes.wTypeFlags & TYPEFLAG_FHIDDEN);
    // Nothing beyond IDispatch's own methods: the control raises no events.
    for (UINT i = 0; i < sourceAttributes.cFuncs; ++i) {
        FUNCDESC* function = nullptr;
        ASSERT_EQ(S_OK, source->GetFuncDesc(i, &function));
        EXPECT_LT(function->oVft, 7 * static_cast<SHORT>(sizeof(void*)));
        source->ReleaseFuncDesc(function);
    }
}

}  // namespace
