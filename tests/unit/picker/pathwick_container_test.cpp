// Pathwick in a container: persistence of Initial and Prompt, its fixed size
// and status, its picture.
#include "test_container.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <map>
#include <string>
#include <vector>

using namespace picker_test;

namespace {

// A property bag that keeps text values and remembers the order of writes.
class MemoryBag : public TestObject<IPropertyBag> {
public:
    std::map<std::wstring, std::wstring> values;
    std::vector<std::wstring> writeOrder;
    HRESULT failReadsWith = S_OK;

    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        if (FAILED(failReadsWith)) return failReadsWith;
        const auto found = values.find(name);
        if (found == values.end()) return E_INVALIDARG;
        V_VT(value) = VT_BSTR;
        V_BSTR(value) = ::SysAllocStringLen(found->second.data(), static_cast<UINT>(found->second.size()));
        return S_OK;
    }
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override {
        if (V_VT(value) != VT_BSTR) return DISP_E_TYPEMISMATCH;
        values[name] = std::wstring(V_BSTR(value), ::SysStringLen(V_BSTR(value)));
        writeOrder.push_back(name);
        return S_OK;
    }
};

class PathwickContainer : public ::testing::Test {
protected:
    void SetUp() override {
        control = CreatePathwick();
        ASSERT_TRUE(control);
    }
    template <class Interface>
    ComPtr<Interface> As() {
        ComPtr<Interface> result;
        EXPECT_EQ(S_OK, control.As(&result));
        return result;
    }

    OleThread ole;
    ComPtr<IDispatch> control;
};

TEST_F(PathwickContainer, PropertyBagRoundTripKeepsTheTextsExactly) {
    ASSERT_EQ(S_OK, PutText(control.Get(), DISPID_PATHWICK_INITIAL, L" C:\\windows "));
    ASSERT_EQ(S_OK, PutText(control.Get(), DISPID_PATHWICK_PROMPT, L"Choose a folder"));
    ComPtr<MemoryBag> bag = Make<MemoryBag>();
    ASSERT_EQ(S_OK, As<IPersistPropertyBag>()->Save(bag.Get(), TRUE, FALSE));
    EXPECT_EQ((std::vector<std::wstring>{L"Initial", L"Prompt"}), bag->writeOrder);
    EXPECT_EQ(2u, bag->values.size());  // Selected and Canceled are never saved

    ComPtr<IDispatch> loaded = CreatePathwick();  // resets the thread's values
    ASSERT_TRUE(loaded);
    EXPECT_EQ(L"", GetText(loaded.Get(), DISPID_PATHWICK_PROMPT));
    ComPtr<IPersistPropertyBag> persist;
    ASSERT_EQ(S_OK, loaded.As(&persist));
    ASSERT_EQ(S_OK, persist->Load(bag.Get(), nullptr));
    EXPECT_EQ(L" C:\\windows ", GetText(loaded.Get(), DISPID_PATHWICK_INITIAL));
    EXPECT_EQ(L"Choose a folder", GetText(loaded.Get(), DISPID_PATHWICK_PROMPT));
}

TEST_F(PathwickContainer, EmptyTextsMayBeLeftOutAndMissingKeysReadEmpty) {
    ComPtr<MemoryBag> bag = Make<MemoryBag>();
    ASSERT_EQ(S_OK, As<IPersistPropertyBag>()->Save(bag.Get(), TRUE, FALSE));
    EXPECT_TRUE(bag->values.empty());
    ASSERT_EQ(S_OK, As<IPersistPropertyBag>()->Save(bag.Get(), TRUE, TRUE));  // save all: both, as ""
    EXPECT_EQ(L"", bag->values.at(L"Initial"));
    EXPECT_EQ(L"", bag->values.at(L"Prompt"));

    ASSERT_EQ(S_OK, PutText(control.Get(), DISPID_PATHWICK_INITIAL, L"C:\\"));
    ASSERT_EQ(S_OK, PutText(control.Get(), DISPID_PATHWICK_PROMPT, L"old"));
    ComPtr<MemoryBag> empty = Make<MemoryBag>();
    ASSERT_EQ(S_OK, As<IPersistPropertyBag>()->Load(empty.Get(), nullptr));
    EXPECT_EQ(L"", GetText(control.Get(), DISPID_PATHWICK_INITIAL));
    EXPECT_EQ(L"", GetText(control.Get(), DISPID_PATHWICK_PROMPT));
}

TEST_F(PathwickContainer, ABagThatCannotBeReadEndsTheLoadWithItsError) {
    ComPtr<MemoryBag> broken = Make<MemoryBag>();
    broken->failReadsWith = STG_E_ACCESSDENIED;
    EXPECT_EQ(STG_E_ACCESSDENIED, As<IPersistPropertyBag>()->Load(broken.Get(), nullptr));
}

TEST_F(PathwickContainer, StreamRoundTripKeepsTheTexts) {
    ASSERT_EQ(S_OK, PutText(control.Get(), DISPID_PATHWICK_INITIAL, L"  D:\\data  "));
    ASSERT_EQ(S_OK, PutText(control.Get(), DISPID_PATHWICK_PROMPT, L"Where to?"));
    ComPtr<IPersistStreamInit> persist = As<IPersistStreamInit>();
    EXPECT_EQ(S_OK, persist->IsDirty());
    ComPtr<IStream> stream;
    ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, &stream));
    ASSERT_EQ(S_OK, persist->Save(stream.Get(), TRUE));
    EXPECT_EQ(S_FALSE, persist->IsDirty());
    ULARGE_INTEGER size{}, end{};
    ASSERT_EQ(S_OK, persist->GetSizeMax(&size));
    LARGE_INTEGER zero{};
    ASSERT_EQ(S_OK, stream->Seek(zero, STREAM_SEEK_CUR, &end));
    EXPECT_LE(end.QuadPart, size.QuadPart);

    ASSERT_EQ(S_OK, persist->InitNew());  // UserControl_InitProperties
    EXPECT_EQ(L"", GetText(control.Get(), DISPID_PATHWICK_INITIAL));
    ASSERT_EQ(S_OK, stream->Seek(zero, STREAM_SEEK_SET, nullptr));
    ASSERT_EQ(S_OK, persist->Load(stream.Get()));
    EXPECT_EQ(L"  D:\\data  ", GetText(control.Get(), DISPID_PATHWICK_INITIAL));
    EXPECT_EQ(L"Where to?", GetText(control.Get(), DISPID_PATHWICK_PROMPT));

    // A stream that ends early is an error, not a half-loaded control.
    ComPtr<IStream> truncated;
    ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, &truncated));
    const DWORD format = 1;
    ASSERT_EQ(S_OK, truncated->Write(&format, sizeof format, nullptr));
    ASSERT_EQ(S_OK, truncated->Seek(zero, STREAM_SEEK_SET, nullptr));
    EXPECT_TRUE(FAILED(persist->Load(truncated.Get())));
    EXPECT_EQ(L"  D:\\data  ", GetText(control.Get(), DISPID_PATHWICK_INITIAL));
}

TEST_F(PathwickContainer, AnySizeSnapsBackTo480TwipsAndMiscStatusIsFixed) {
    ComPtr<IOleObject> object = As<IOleObject>();
    for (SIZEL asked : {SIZEL{1, 1}, SIZEL{5000, 200}, SIZEL{847, 847}, SIZEL{0, 0}}) {
        ASSERT_EQ(S_OK, object->SetExtent(DVASPECT_CONTENT, &asked));
        SIZEL actual{};
        ASSERT_EQ(S_OK, object->GetExtent(DVASPECT_CONTENT, &actual));
        EXPECT_EQ(847, actual.cx);
        EXPECT_EQ(847, actual.cy);
    }
    DWORD status = 0;
    ASSERT_EQ(S_OK, object->GetMiscStatus(DVASPECT_CONTENT, &status));
    EXPECT_EQ(0x20591u, status);
    EXPECT_EQ(static_cast<DWORD>(OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INVISIBLEATRUNTIME | OLEMISC_ACTIVATEWHENVISIBLE |
                                 OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE),
              status);

    SIZEL viewSize{};
    ASSERT_EQ(S_OK, As<IViewObject2>()->GetExtent(DVASPECT_CONTENT, -1, nullptr, &viewSize));
    EXPECT_EQ(847, viewSize.cx);
}

TEST_F(PathwickContainer, DrawsItsPictureIntoTheGivenRectangle) {
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 32, 32);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    RECT all{0, 0, 32, 32};
    ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));

    RECTL bounds{0, 0, 32, 32};
    ASSERT_EQ(S_OK, As<IViewObject2>()->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, memory, &bounds,
                                             nullptr, nullptr, 0));
    int painted = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) painted += ::GetPixel(memory, x, y) != RGB(255, 255, 255);
    EXPECT_GT(painted, 100);

    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
}

}  // namespace

namespace {

// A site that lets the control activate in place in a window of its own.
class InPlaceSite : public TestObject<IOleClientSite, IOleInPlaceSite> {
public:
    explicit InPlaceSite(HWND parentWindow) : parent(parentWindow) {}
    HWND parent;
    int activations = 0, deactivations = 0;

    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer**) override { return E_NOINTERFACE; }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    STDMETHODIMP GetWindow(HWND* window) override { return *window = parent, S_OK; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return ++activations, S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO) override {
        *frame = nullptr;
        *document = nullptr;
        *position = RECT{10, 20, 42, 52};
        *clip = *position;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return ++deactivations, S_OK; }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }
};

TEST_F(PathwickContainer, ActivatesInPlaceAsAHiddenChildAtRunTime) {
    HWND form = ::CreateWindowExW(0, L"STATIC", L"Form1", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(nullptr, form);
    ComPtr<InPlaceSite> site = Make<InPlaceSite>(form);
    ComPtr<IOleObject> object = As<IOleObject>();
    ASSERT_EQ(S_OK, object->SetClientSite(site.Get()));
    RECT position{10, 20, 42, 52};
    ASSERT_EQ(S_OK, object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.Get(), 0, form, &position));
    EXPECT_EQ(1, site->activations);

    HWND window = nullptr;
    ASSERT_EQ(S_OK, As<IOleInPlaceObject>()->GetWindow(&window));
    EXPECT_EQ(form, ::GetParent(window));
    EXPECT_FALSE(::IsWindowVisible(window));  // invisible at run time: the site has no ambient UserMode
    RECT placed{};
    ::GetWindowRect(window, &placed);
    ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(10, placed.left);
    EXPECT_EQ(20, placed.top);

    ASSERT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
    EXPECT_EQ(1, site->deactivations);
    EXPECT_FALSE(::IsWindow(window));
    ASSERT_EQ(S_OK, object->SetClientSite(nullptr));
    ::DestroyWindow(form);
}

}  // namespace
