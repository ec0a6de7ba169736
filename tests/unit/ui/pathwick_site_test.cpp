// A control finds its owner window the way Pathwick does: from its site to the
// extended control, its "Parent", and that form's late-bound "hwnd"; or from the
// site's container. Names are matched without regard to case.
#include <gtest/gtest.h>
#include <olectl.h>
#include <string>
#include "picker_host/control_site.h"
#include "picker_host/pathwick_host.h"

using Microsoft::WRL::ComPtr;

namespace {

// Late binding as a control does it: the name, then a property get without arguments.
HRESULT GetByName(IDispatch* object, const wchar_t* name, VARIANT& result) {
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    DISPPARAMS none{};
    ::VariantInit(&result);
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT,
                          DISPATCH_PROPERTYGET | DISPATCH_METHOD, &none, &result, nullptr, nullptr);
}

HWND FakeFormHandle() { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(0x00120ABC)); }

// The form object as the site's container, answering IDispatch.
ComPtr<IDispatch> FormOfContainer(IOleClientSite* site) {
    ComPtr<IOleContainer> container;
    ComPtr<IDispatch> form;
    EXPECT_EQ(site->GetContainer(&container), S_OK);
    if (container) {
        EXPECT_EQ(container.As(&form), S_OK);
    }
    return form;
}

TEST(PathwickSite, ExtendedControlLeadsToTheFormAndItsHwnd) {
    ComPtr<IOleClientSite> site = CreateControlSite(FakeFormHandle());
    ComPtr<IOleControlSite> controlSite;
    ASSERT_EQ(site.As(&controlSite), S_OK);
    ComPtr<IDispatch> extended;
    ASSERT_EQ(controlSite->GetExtendedControl(&extended), S_OK);

    for (const wchar_t* spelling : {L"Parent", L"PARENT", L"parent"}) {
        VARIANT parent;
        ASSERT_EQ(GetByName(extended.Get(), spelling, parent), S_OK) << spelling;
        ASSERT_EQ(parent.vt, VT_DISPATCH);
        for (const wchar_t* member : {L"hwnd", L"hWnd", L"HWND"}) {
            VARIANT handle;
            ASSERT_EQ(GetByName(parent.pdispVal, member, handle), S_OK) << member;
            EXPECT_EQ(handle.vt, VT_I4);
            EXPECT_EQ(handle.lVal, 0x00120ABC);
        }
        ::VariantClear(&parent);
    }
}

TEST(PathwickSite, ContainerIsTheSameFormAnsweringHwnd) {
    ComPtr<IOleClientSite> site = CreateControlSite(FakeFormHandle());
    ComPtr<IDispatch> form = FormOfContainer(site.Get());
    ASSERT_TRUE(form);
    VARIANT handle;
    ASSERT_EQ(GetByName(form.Get(), L"hwnd", handle), S_OK);
    EXPECT_EQ(handle.lVal, 0x00120ABC);

    ComPtr<IOleContainer> container;
    ASSERT_EQ(site->GetContainer(&container), S_OK);
    ComPtr<IParseDisplayName> base;
    EXPECT_EQ(container.As(&base), S_OK);
    ComPtr<IUnknown> a, b;
    ASSERT_EQ(container.As(&a), S_OK);
    ASSERT_EQ(form.As(&b), S_OK);
    EXPECT_EQ(a.Get(), b.Get()) << "one object, one identity";
}

TEST(PathwickSite, AmbientPropertiesSayTheProgramRuns) {
    ComPtr<IOleClientSite> site = CreateControlSite(FakeFormHandle());
    ComPtr<IDispatch> ambient;
    ASSERT_EQ(site.As(&ambient), S_OK);
    DISPPARAMS none{};
    VARIANT value;
    ::VariantInit(&value);
    ASSERT_EQ(ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                              &value, nullptr, nullptr), S_OK);
    EXPECT_EQ(value.vt, VT_BOOL);
    EXPECT_EQ(value.boolVal, VARIANT_TRUE);
    // An ambient property we do not offer is not found, so the control takes its default.
    EXPECT_EQ(ambient->Invoke(DISPID_AMBIENT_BACKCOLOR, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                              &value, nullptr, nullptr), DISP_E_MEMBERNOTFOUND);
}

TEST(PathwickSite, UnknownNamesAndWritesAreRefused) {
    ComPtr<IOleClientSite> site = CreateControlSite(FakeFormHandle());
    ComPtr<IDispatch> form = FormOfContainer(site.Get());
    ASSERT_TRUE(form);

    VARIANT value;
    EXPECT_EQ(GetByName(form.Get(), L"hwndx", value), DISP_E_UNKNOWNNAME);

    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"hwnd")};
    ASSERT_EQ(form->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    VARIANT argument;
    argument.vt = VT_I4;
    argument.lVal = 1;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS put{&argument, &named, 1, 1};
    EXPECT_EQ(form->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
}

TEST(PathwickHostCreation, AnUnknownProgIdFailsWithTheReasonInTheReport) {
    try {
        CreatePathwick1(nullptr, L"Tollen.NoSuchControl");
        FAIL() << "a control that does not exist was created";
    } catch (const win32::Error& error) {
        EXPECT_EQ(error.Hr(), CO_E_CLASSSTRING);
        const std::wstring reason = win32::Error(CO_E_CLASSSTRING).Describe();
        EXPECT_FALSE(reason.empty());
        EXPECT_EQ(error.Describe(), L"The folder picker could not be created.\n\n" + reason);
        // Handlers that see only std::exception get the same words.
        EXPECT_EQ(std::string(error.what()).rfind("The folder picker could not be created.", 0), 0u);
    }
}

}  // namespace

namespace {

// The references an object holds once the caller's own probe reference is gone.
ULONG ReferencesOf(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

TEST(PathwickSite, OwnsItsObjectsWithoutLeakingReferences) {
    ComPtr<IOleClientSite> site = CreateControlSite(FakeFormHandle());
    EXPECT_EQ(ReferencesOf(site.Get()), 1u) << "only the caller holds the new site";

    ComPtr<IOleContainer> container;
    ASSERT_EQ(site->GetContainer(&container), S_OK);
    EXPECT_EQ(ReferencesOf(container.Get()), 3u) << "the site, its extender (as Parent) and this caller hold the form";

    ComPtr<IOleControlSite> controlSite;
    ASSERT_EQ(site.As(&controlSite), S_OK);
    ComPtr<IDispatch> extended;
    ASSERT_EQ(controlSite->GetExtendedControl(&extended), S_OK);
    EXPECT_EQ(ReferencesOf(extended.Get()), 2u) << "the site and this caller hold the extender";
}

}  // namespace
