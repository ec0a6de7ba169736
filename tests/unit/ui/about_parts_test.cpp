// What the About window shows comes from the executable itself: its version
// block (read back here from this test program, which carries the same one)
// and the product picture stored as a resource.
#include <gtest/gtest.h>
#include <windows.h>
#include "error.h"
#include "about/about_parts.h"
#include "about/about_resources.h"
#include "run_report/busy_pointer.h"
#include "control_ids.h"
#include "about/frm_about.h"
#include "scourway_version.h"

namespace {

VS_FIXEDFILEINFO FileVersion(WORD a, WORD b, WORD c, WORD d) {
    VS_FIXEDFILEINFO info{};
    info.dwFileVersionMS = MAKELONG(b, a);
    info.dwFileVersionLS = MAKELONG(d, c);
    return info;
}

TEST(AboutVersion, ShowsMajorMinorAndRevisionButNotTheThirdField) {
    EXPECT_EQ(about::VersionLabel(FileVersion(1, 0, 0, 7)), L"Version 1.0.7");
    EXPECT_EQ(about::VersionLabel(FileVersion(2, 3, 4, 5)), L"Version 2.3.5");
    EXPECT_EQ(about::VersionLabel(FileVersion(10, 0, 9, 65535)), L"Version 10.0.65535");
}

TEST(AboutVersion, IsReadFromTheRunningExecutable) {
    const VS_FIXEDFILEINFO own = about::OwnFileVersion();
    EXPECT_EQ(own.dwSignature, VS_FFI_SIGNATURE);
    EXPECT_EQ(own.dwFileVersionMS, MAKELONG(SCOURWAY_VERSION_MINOR, SCOURWAY_VERSION_MAJOR));
    EXPECT_EQ(own.dwFileVersionLS, MAKELONG(SCOURWAY_VERSION_PATCH, 0));
    EXPECT_EQ(about::VersionLabel(own), std::wstring(L"Version ") + SCOURWAY_VERSION_TEXT_W);
}

TEST(AboutPicture, TheJpegResourceDecodesToAnEightyThreeByHundredNineteenBitmap) {
    auto picture = about::LoadPictureResource(::GetModuleHandleW(nullptr), IDR_ABOUT_PRODUCT_JPEG);
    ASSERT_TRUE(picture);
    SHORT type = PICTYPE_UNINITIALIZED;
    ASSERT_EQ(picture->get_Type(&type), S_OK);
    EXPECT_EQ(type, PICTYPE_BITMAP);
    OLE_HANDLE handle = 0;
    ASSERT_EQ(picture->get_Handle(&handle), S_OK);
    BITMAP bitmap{};
    ASSERT_NE(::GetObjectW(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof bitmap,
                           &bitmap), 0);
    EXPECT_EQ(bitmap.bmWidth, 83);
    EXPECT_EQ(bitmap.bmHeight, 119);
}

TEST(AboutPicture, AMissingResourceIsAnErrorNotAnEmptyPicture) {
    EXPECT_ANY_THROW(about::LoadPictureResource(::GetModuleHandleW(nullptr), 4242));
}

// What the shell answers for a document it cannot open reaches the user in
// the platform's words, about that document.
TEST(AboutLink, ADocumentTheShellCannotOpenIsAFailureInThePlatformsWords) {
    wchar_t temp[MAX_PATH];
    ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring missing = std::wstring(temp) + L"scourway-no-such-document.txt";
    try {
        about::OpenDocument(missing);
        FAIL() << "the shell's refusal was swallowed";
    } catch (const win32::Error& error) {
        EXPECT_EQ(error.Win32Code(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        EXPECT_EQ(error.Subject(), missing);
    }
}

// The pointer the About window sets over its picture, read from inside its own
// modal loop (a thread timer fires there), after which the window is closed.
HCURSOR g_pointerSeen = nullptr;

void CALLBACK ReadPointerAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND about = ::FindWindowW(L"ScourwayAbout", nullptr);
    if (!about) return;
    ::KillTimer(nullptr, timer);
    HWND picture = ::GetDlgItem(about, IDC_ABOUT_PICICON);
    ::SetCursor(nullptr);
    if (::SendMessageW(about, WM_SETCURSOR, reinterpret_cast<WPARAM>(picture),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)) == TRUE)
        g_pointerSeen = ::GetCursor();
    ::PostMessageW(about, WM_CLOSE, 0, 0);
}

HCURSOR PointerOverPicture() {
    g_pointerSeen = nullptr;
    ::SetTimer(nullptr, 0, 50, &ReadPointerAndClose);
    frmAbout::ShowModal(nullptr);
    return g_pointerSeen;
}

TEST(AboutPointer, TheHandOverThePictureButTheHourglassDuringARun) {
    const HCURSOR hand = PointerOverPicture();
    EXPECT_NE(hand, nullptr);
    EXPECT_NE(hand, ::LoadCursorW(nullptr, IDC_WAIT));
    {
        BusyPointer run;
        EXPECT_EQ(PointerOverPicture(), ::LoadCursorW(nullptr, IDC_WAIT))
            << "opened during a delete run, the About window shows the run's hourglass";
    }
    EXPECT_EQ(PointerOverPicture(), hand);
}

}  // namespace
