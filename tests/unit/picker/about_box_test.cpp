// ShowAboutBox: a fresh modal About window each call, closed by Enter and by Esc.
#include "dialog_watcher.h"
#include "test_container.h"
#include "pathwick_version.h"

#include <gtest/gtest.h>
#include <oleauto.h>
#include <olectl.h>

#include <algorithm>

using namespace picker_test;

namespace {

// The box shows the version block's first three fields; the third is 0.
std::wstring ShownVersion() {
    return L"Version " + std::to_wstring(PATHWICK_VERSION_MAJOR) + L"." + std::to_wstring(PATHWICK_VERSION_MINOR) +
           L".0";
}

struct AboutSeen {
    HWND window = nullptr;
    std::vector<std::wstring> texts;
    LONG_PTR style = 0;
    RECT client{};
    bool hasIcon = false;
    bool addressFits = false;
};

// Whether the label's text fits its width in the label's own font.
bool FitsOnOneLine(HWND label) {
    HDC dc = ::GetDC(label);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(label, WM_GETFONT, 0, 0)));
    const std::wstring text = WindowText(label);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    ::SelectObject(dc, old);
    ::ReleaseDC(label, dc);
    RECT client{};
    ::GetClientRect(label, &client);
    return extent.cx <= client.right;
}

constexpr const wchar_t* Address = L"http://mlabs.example/";

AboutSeen ShowAndPress(IDispatch* control, WPARAM key) {
    AboutSeen seen;
    const DWORD thread = ::GetCurrentThreadId();
    DialogWatcher watcher(thread, 0, [&](HWND window) {
        seen.window = window;
        seen.texts.push_back(WindowText(window));
        for (HWND child : ChildWindows(window)) {
            seen.texts.push_back(WindowText(child));
            if (seen.texts.back() == Address) seen.addressFits = FitsOnOneLine(child);
        }
        seen.style = ::GetWindowLongPtrW(window, GWL_STYLE);
        ::GetClientRect(window, &seen.client);
        seen.hasIcon = ::SendMessageW(window, WM_GETICON, ICON_BIG, 0) != 0;
        PressKey(thread, key);
    });
    VARIANT result;
    ::VariantInit(&result);
    EXPECT_EQ(S_OK, CallMethod(control, DISPID_ABOUTBOX, &result));
    EXPECT_TRUE(watcher.Finish());
    return seen;
}

bool Shows(const AboutSeen& seen, const std::wstring& text) {
    return std::find(seen.texts.begin(), seen.texts.end(), text) != seen.texts.end();
}

TEST(AboutBox, ShowsTheLibrarysFactsAndClosesOnEnterThenOnEscape) {
    OleThread ole;
    ComPtr<IDispatch> control = CreatePathwick();
    ASSERT_TRUE(control);

    const AboutSeen first = ShowAndPress(control.Get(), VK_RETURN);
    ASSERT_NE(nullptr, first.window);
    EXPECT_FALSE(::IsWindow(first.window));  // closed and unloaded when the call returned
    EXPECT_TRUE(Shows(first, L"About Pathwick"));
    EXPECT_TRUE(Shows(first, ShownVersion()));
    EXPECT_TRUE(Shows(first, L"Pathwick"));
    EXPECT_TRUE(Shows(first, L"Copyright (C) 2026 Marrowby Labs"));
    EXPECT_TRUE(Shows(first, Address));
    EXPECT_TRUE(first.addressFits);
    EXPECT_TRUE(Shows(first, L"OK"));
    EXPECT_TRUE(Shows(first, L"For some more really cool stuff check out -----"));
    const auto warning = std::find_if(first.texts.begin(), first.texts.end(),
                                      [](const std::wstring& text) { return text.find(L"copyright law") != std::wstring::npos; });
    ASSERT_NE(first.texts.end(), warning);
    EXPECT_EQ(197u, warning->size());

    const LONG_PTR frame = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    EXPECT_EQ(frame, first.style & frame);
    HDC screen = ::GetDC(nullptr);
    const int dpiX = ::GetDeviceCaps(screen, LOGPIXELSX), dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(::MulDiv(5790, dpiX, 1440), first.client.right);
    EXPECT_EQ(::MulDiv(3225, dpiY, 1440), first.client.bottom);
    EXPECT_TRUE(first.hasIcon);

    // The second call loads a new window; Escape closes it as OK does.
    const AboutSeen second = ShowAndPress(control.Get(), VK_ESCAPE);
    ASSERT_NE(nullptr, second.window);
    EXPECT_FALSE(::IsWindow(second.window));
    EXPECT_TRUE(Shows(second, ShownVersion()));
}

TEST(AboutBox, DisablesTheActiveWindowWhileItIsOpen) {
    OleThread ole;
    ComPtr<IDispatch> control = CreatePathwick();
    ASSERT_TRUE(control);
    HWND form = ::CreateWindowExW(0, L"STATIC", L"Form1", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                  nullptr, nullptr, nullptr, nullptr);
    ::SetActiveWindow(form);
    ASSERT_EQ(form, ::GetActiveWindow());
    bool formEnabled = true;
    HWND owner = nullptr;
    const DWORD thread = ::GetCurrentThreadId();
    DialogWatcher watcher(thread, IDOK, [&](HWND window) {
        formEnabled = ::IsWindowEnabled(form) != FALSE;
        owner = ::GetWindow(window, GW_OWNER);
    });
    VARIANT result;
    ::VariantInit(&result);
    EXPECT_EQ(S_OK, CallMethod(control.Get(), DISPID_ABOUTBOX, &result));
    EXPECT_TRUE(watcher.Finish());
    EXPECT_FALSE(formEnabled);
    EXPECT_EQ(form, owner);
    EXPECT_TRUE(::IsWindowEnabled(form));
    ::DestroyWindow(form);
}

}  // namespace
