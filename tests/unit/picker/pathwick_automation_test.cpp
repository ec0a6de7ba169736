// Pathwick through IDispatch, as hosts and scripts see it: creation, the
// members by DISPID and by name, PickerState sharing, errors.
#include "test_container.h"

#include <gtest/gtest.h>
#include <oleauto.h>
#include <olectl.h>

#include <thread>

using namespace picker_test;

namespace {

class PathwickAutomation : public ::testing::Test {
protected:
    OleThread ole;
};

TEST_F(PathwickAutomation, CreatedByProgIdAndByClsid) {
    EXPECT_TRUE(CreatePathwick());
    ComPtr<IDispatch> byClsid;
    ASSERT_EQ(S_OK, ::CoCreateInstance(CLSID_Pathwick, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&byClsid)));
    ComPtr<_Pathwick> dual;
    EXPECT_EQ(S_OK, byClsid.As(&dual));
}

TEST_F(PathwickAutomation, FreshInstanceReportsEmptyTextsAndFalse) {
    ComPtr<IDispatch> control = CreatePathwick();
    ASSERT_TRUE(control);
    EXPECT_EQ(L"", GetText(control.Get(), DISPID_PATHWICK_INITIAL));
    EXPECT_EQ(L"", GetText(control.Get(), DISPID_PATHWICK_PROMPT));
    EXPECT_EQ(L"", GetText(control.Get(), DISPID_PATHWICK_SELECTED));  // a VARIANT of VT_BSTR
    EXPECT_FALSE(GetBool(control.Get(), DISPID_PATHWICK_CANCELED));    // a VARIANT of VT_BOOL
}

TEST_F(PathwickAutomation, NamesBindToTheFixedDispids) {
    ComPtr<IDispatch> control = CreatePathwick();
    ASSERT_TRUE(control);
    EXPECT_EQ(DISPID_PATHWICK_INITIAL, IdOfName(control.Get(), L"Initial"));
    EXPECT_EQ(DISPID_PATHWICK_SELECTED, IdOfName(control.Get(), L"selected"));
    EXPECT_EQ(DISPID_PATHWICK_CANCELED, IdOfName(control.Get(), L"CANCELED"));
    EXPECT_EQ(DISPID_PATHWICK_BROWSE, IdOfName(control.Get(), L"Browse"));
    EXPECT_EQ(DISPID_PATHWICK_PROMPT, IdOfName(control.Get(), L"Prompt"));
    EXPECT_EQ(DISPID_ABOUTBOX, IdOfName(control.Get(), L"ShowAboutBox"));

    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"hwnd")};
    DISPID id = 0;
    EXPECT_EQ(DISP_E_UNKNOWNNAME, control->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id));
}

TEST_F(PathwickAutomation, TextsRoundTripUnchangedByDispidAndByName) {
    ComPtr<IDispatch> control = CreatePathwick();
    ASSERT_TRUE(control);
    const wchar_t* initial = L"  C:\\Program Files\\  ";
    ASSERT_EQ(S_OK, PutText(control.Get(), DISPID_PATHWICK_INITIAL, initial));
    EXPECT_EQ(initial, GetText(control.Get(), DISPID_PATHWICK_INITIAL));
    EXPECT_EQ(initial, GetText(control.Get(), IdOfName(control.Get(), L"Initial")));

    ASSERT_EQ(S_OK, PutText(control.Get(), IdOfName(control.Get(), L"prompt"), L"   "));
    EXPECT_EQ(L"   ", GetText(control.Get(), DISPID_PATHWICK_PROMPT));
    ASSERT_EQ(S_OK, PutText(control.Get(), DISPID_PATHWICK_PROMPT, L""));
    EXPECT_EQ(L"", GetText(control.Get(), DISPID_PATHWICK_PROMPT));
}

TEST_F(PathwickAutomation, SelectedAndCanceledRefuseAPut) {
    ComPtr<IDispatch> control = CreatePathwick();
    ASSERT_TRUE(control);
    for (DISPID id : {DISPID_PATHWICK_SELECTED, DISPID_PATHWICK_CANCELED}) {
        EXPECT_TRUE(FAILED(PutText(control.Get(), id, L"C:\\"))) << id;
    }
    EXPECT_EQ(L"", GetText(control.Get(), DISPID_PATHWICK_SELECTED));
    EXPECT_FALSE(GetBool(control.Get(), DISPID_PATHWICK_CANCELED));
}

TEST_F(PathwickAutomation, InstancesOnOneThreadShareStateAndANewOneResetsIt) {
    ComPtr<IDispatch> first = CreatePathwick();
    ASSERT_TRUE(first);
    ASSERT_EQ(S_OK, PutText(first.Get(), DISPID_PATHWICK_PROMPT, L"first"));
    ASSERT_EQ(S_OK, PutText(first.Get(), DISPID_PATHWICK_INITIAL, L"C:\\"));

    ComPtr<IDispatch> second = CreatePathwick();
    ASSERT_TRUE(second);
    EXPECT_EQ(L"", GetText(first.Get(), DISPID_PATHWICK_PROMPT));
    EXPECT_EQ(L"", GetText(first.Get(), DISPID_PATHWICK_INITIAL));

    ASSERT_EQ(S_OK, PutText(second.Get(), DISPID_PATHWICK_PROMPT, L"seen by both"));
    EXPECT_EQ(L"seen by both", GetText(first.Get(), DISPID_PATHWICK_PROMPT));
}

TEST_F(PathwickAutomation, AnInstanceOnAnotherThreadHasItsOwnState) {
    ComPtr<IDispatch> here = CreatePathwick();
    ASSERT_TRUE(here);
    ASSERT_EQ(S_OK, PutText(here.Get(), DISPID_PATHWICK_PROMPT, L"main thread"));

    std::wstring seenThere, afterPutThere;
    std::thread other([&] {
        OleThread otherOle;
        ComPtr<IDispatch> there = CreatePathwick();
        ASSERT_TRUE(there);
        seenThere = GetText(there.Get(), DISPID_PATHWICK_PROMPT);
        ASSERT_EQ(S_OK, PutText(there.Get(), DISPID_PATHWICK_PROMPT, L"other thread"));
        afterPutThere = GetText(there.Get(), DISPID_PATHWICK_PROMPT);
    });
    other.join();
    EXPECT_EQ(L"", seenThere);
    EXPECT_EQ(L"other thread", afterPutThere);
    // The other thread's new instance and its put left this thread's state alone.
    EXPECT_EQ(L"main thread", GetText(here.Get(), DISPID_PATHWICK_PROMPT));
}

TEST_F(PathwickAutomation, DispatchIsServedFromTheTypeLibrary) {
    ComPtr<IDispatch> control = CreatePathwick();
    ASSERT_TRUE(control);
    UINT count = 0;
    ASSERT_EQ(S_OK, control->GetTypeInfoCount(&count));
    EXPECT_EQ(1u, count);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(S_OK, control->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info));
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, info->GetTypeAttr(&attributes));
    EXPECT_EQ(IID__Pathwick, attributes->guid);
    info->ReleaseTypeAttr(attributes);

    VARIANT result;
    ::VariantInit(&result);
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, Get(control.Get(), 0x12345, &result));
}

TEST_F(PathwickAutomation, ProvidesClassInfoWithTheEmptySourceInterface) {
    ComPtr<IDispatch> control = CreatePathwick();
    ASSERT_TRUE(control);
    ComPtr<IProvideClassInfo2> classInfo;
    ASSERT_EQ(S_OK, control.As(&classInfo));
    GUID source{};
    ASSERT_EQ(S_OK, classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source));
    EXPECT_EQ(DIID___Pathwick, source);
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(S_OK, classInfo->GetClassInfo(&coclass));
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, coclass->GetTypeAttr(&attributes));
    EXPECT_EQ(CLSID_Pathwick, attributes->guid);
    EXPECT_EQ(TKIND_COCLASS, attributes->typekind);
    coclass->ReleaseTypeAttr(attributes);
}

// A sink that fails the test if anything is ever fired at it.
class SilentSink : public TestObject<IDispatch> {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (iid == DIID___Pathwick) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        return TestObject<IDispatch>::QueryInterface(iid, out);
    }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        ADD_FAILURE() << "the control raised an event";
        return S_OK;
    }
};

TEST_F(PathwickAutomation, SourceConnectionPointAcceptsAdviseAndNeverFires) {
    ComPtr<IDispatch> control = CreatePathwick();
    ASSERT_TRUE(control);
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(S_OK, control.As(&container));
    ComPtr<IConnectionPoint> point;
    EXPECT_EQ(CONNECT_E_NOCONNECTION, container->FindConnectionPoint(IID_IPropertyNotifySink, &point));
    ASSERT_EQ(S_OK, container->FindConnectionPoint(DIID___Pathwick, &point));
    IID iid{};
    ASSERT_EQ(S_OK, point->GetConnectionInterface(&iid));
    EXPECT_EQ(DIID___Pathwick, iid);

    ComPtr<IDispatch> sink = Make<SilentSink>();
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, point->Advise(sink.Get(), &cookie));
    EXPECT_NE(0u, cookie);
    ComPtr<IEnumConnections> connections;
    ASSERT_EQ(S_OK, point->EnumConnections(&connections));
    CONNECTDATA data{};
    ULONG fetched = 0;
    ASSERT_EQ(S_OK, connections->Next(1, &data, &fetched));
    EXPECT_EQ(cookie, data.dwCookie);
    data.pUnk->Release();

    ASSERT_EQ(S_OK, PutText(control.Get(), DISPID_PATHWICK_PROMPT, L"no events"));
    EXPECT_EQ(S_OK, point->Unadvise(cookie));
    EXPECT_EQ(CONNECT_E_NOCONNECTION, point->Unadvise(cookie));

    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(S_OK, container->EnumConnectionPoints(&points));
    ComPtr<IConnectionPoint> listed;
    ASSERT_EQ(S_OK, points->Next(1, &listed, &fetched));
    EXPECT_EQ(point.Get(), listed.Get());
    ComPtr<IConnectionPoint> none;
    EXPECT_EQ(S_FALSE, points->Next(1, &none, &fetched));
}

// A sink that holds the control (as an event handler holds its form) lets go of
// it when the control is closed, so neither keeps the other alive.
TEST_F(PathwickAutomation, CloseReleasesTheSinksSoASinkHoldingTheControlGoes) {
    struct HoldingSink : SilentSink {
        ComPtr<IDispatch> control;
        bool* released = nullptr;
        ~HoldingSink() override { *released = true; }
    };
    bool released = false;
    ComPtr<IDispatch> control = CreatePathwick();
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(S_OK, control.As(&container));
    ASSERT_EQ(S_OK, container->FindConnectionPoint(DIID___Pathwick, &point));
    ComPtr<HoldingSink> sink = Make<HoldingSink>();
    sink->control = control;
    sink->released = &released;
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, point->Advise(sink.Get(), &cookie));
    sink.Reset();
    ComPtr<IOleObject> object;
    ASSERT_EQ(S_OK, control.As(&object));
    EXPECT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
    EXPECT_TRUE(released);
}

TEST_F(PathwickAutomation, AFailingMemberCarriesErrorInformation) {
    // The form has no "hwnd": Browse fails with the form's own error, through
    // the vtable and through Invoke (as an exception carrying that code).
    ComPtr<TestSite> site = Make<TestSite>(MakeFormWithoutHwnd(), true);
    ComPtr<IDispatch> control = CreateHostedPathwick(site.Get());
    ASSERT_TRUE(control);
    ComPtr<_Pathwick> dual;
    ASSERT_EQ(S_OK, control.As(&dual));
    VARIANT_BOOL chosen = 1;
    EXPECT_EQ(DISP_E_UNKNOWNNAME, dual->Browse(&chosen));
    ComPtr<IErrorInfo> error;
    ASSERT_EQ(S_OK, ::GetErrorInfo(0, &error));
    GUID guid{};
    error->GetGUID(&guid);
    EXPECT_EQ(IID__Pathwick, guid);

    ComPtr<ISupportErrorInfo> supports;
    ASSERT_EQ(S_OK, control.As(&supports));
    EXPECT_EQ(S_OK, supports->InterfaceSupportsErrorInfo(IID__Pathwick));

    VARIANT result;
    ::VariantInit(&result);
    EXCEPINFO exception{};
    const HRESULT hr = CallMethod(control.Get(), DISPID_PATHWICK_BROWSE, &result, &exception);
    // Through Invoke the member's failure arrives as an exception carrying its code.
    EXPECT_EQ(DISP_E_EXCEPTION, hr);
    EXPECT_EQ(DISP_E_UNKNOWNNAME, exception.scode);
    EXPECT_NE(nullptr, exception.bstrDescription);
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
}

}  // namespace
