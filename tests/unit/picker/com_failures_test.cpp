// Failures of the library's own helpers reach the COM caller as the HRESULT
// they stand for, never as a guess.
#include "com_boundary.h"
#include "picture_render.h"
#include "shell_open.h"

#include <gtest/gtest.h>
#include <olectl.h>

#include <new>
#include <stdexcept>
#include <string>

namespace {

template <class Exception>
HRESULT HrOf(const Exception& exception) {
    try {
        throw exception;
    } catch (...) {
        return tollen::CurrentExceptionHr();
    }
}

TEST(ComFailures, AnExceptionIsOutOfMemoryOnlyWhenMemoryRanOut) {
    EXPECT_EQ(E_OUTOFMEMORY, HrOf(std::bad_alloc()));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), HrOf(win32::Error(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED))));
    EXPECT_EQ(E_UNEXPECTED, HrOf(std::runtime_error("no such state")));
    EXPECT_EQ(E_UNEXPECTED, HrOf(std::length_error("too long")));
}

TEST(ShellOpen, TheShellsRefusalBecomesTheHresultOfItsError) {
    char temp[MAX_PATH];
    ASSERT_GT(::GetTempPathA(MAX_PATH, temp), 0u);
    const std::string missing = std::string(temp) + "tollen-no-such-document.txt";
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), tollen::OpenWithShell(nullptr, missing.c_str()));
}

// A picture whose size and drawing answer as the test says, and that records
// whether it was asked to draw.
class ScriptedPicture final : public IPicture {
public:
    HRESULT width = S_OK, height = S_OK, render = S_OK;
    bool rendered = false;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE get_Width(OLE_XSIZE_HIMETRIC* value) override {
        *value = 100;
        return width;
    }
    HRESULT STDMETHODCALLTYPE get_Height(OLE_YSIZE_HIMETRIC* value) override {
        *value = 50;
        return height;
    }
    HRESULT STDMETHODCALLTYPE Render(HDC, LONG, LONG, LONG, LONG, OLE_XPOS_HIMETRIC, OLE_YPOS_HIMETRIC,
                                     OLE_XSIZE_HIMETRIC, OLE_YSIZE_HIMETRIC, LPCRECT) override {
        rendered = true;
        return render;
    }
    HRESULT STDMETHODCALLTYPE get_Handle(OLE_HANDLE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_hPal(OLE_HANDLE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Type(SHORT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE set_hPal(OLE_HANDLE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_CurDC(HDC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SelectPicture(HDC, HDC*, OLE_HANDLE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_KeepOriginalFormat(WINBOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_KeepOriginalFormat(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE PictureChanged() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SaveAsFile(LPSTREAM, WINBOOL, LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Attributes(DWORD*) override { return E_NOTIMPL; }
};

TEST(PictureRender, EachFailingCallOfThePictureIsTheResult) {
    const RECT area{0, 0, 32, 32};
    ScriptedPicture drawn;
    EXPECT_EQ(S_OK, tollen::RenderPicture(&drawn, nullptr, area));
    EXPECT_TRUE(drawn.rendered);

    ScriptedPicture noSize;
    noSize.height = E_UNEXPECTED;
    EXPECT_EQ(E_UNEXPECTED, tollen::RenderPicture(&noSize, nullptr, area));
    EXPECT_FALSE(noSize.rendered) << "drawn with a size it does not have";

    ScriptedPicture refused;
    refused.render = CTL_E_INVALIDPROPERTYVALUE;
    EXPECT_EQ(CTL_E_INVALIDPROPERTYVALUE, tollen::RenderPicture(&refused, nullptr, area));
}

}  // namespace
