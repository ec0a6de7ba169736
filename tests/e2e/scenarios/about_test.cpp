// The About window seen from outside: what it shows and where, how it closes,
// that every opening is loaded afresh, that its links reach the shell while it
// stays open, and that opened during a delete run it holds the run.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "scourway_test.h"
#include "scourway_version.h"

namespace e2e {
namespace {

constexpr wchar_t kAboutClass[] = L"ScourwayAbout";
constexpr wchar_t kAddress[] = L"https://scourway.example";

int Pixels(int twips, int axis) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, axis);
    ReleaseDC(nullptr, screen);
    return MulDiv(twips, dpi, 1440);
}

Box Centre(const Box& b) { return {b.left + b.width / 2, b.top + b.height / 2, 0, 0}; }

class About : public ScourwayTest {
protected:
    MainWindow main;

    void SetUp() override {
        folder.WriteList("*.tmp\r\n");
        main = StartShown();
    }

    Window WaitForAbout(HWND other = nullptr) {
        return program->WaitForWindow(
            [&](const Window& w) {
                return w.ClassName() == kAboutClass && w.Visible() && w.handle() != other;
            },
            "the About window");
    }

    Window Open(HWND other = nullptr) {
        main.cmdAbout().Click();
        Window about = WaitForAbout(other);
        EXPECT_FALSE(main.Enabled()) << "the About window is modal";
        return about;
    }

    void WaitClosed(const Window& about) {
        program->WaitUntil([&] { return !about.Exists(); }, "the About window to close");
        program->WaitUntil([&] { return main.Enabled(); }, "the main window to be enabled again");
    }

    // A user's click: the button goes down and up over the middle of the control.
    static void ClickOn(const Window& control) {
        Box box = control.ClientScreenBox();
        LPARAM at = MAKELPARAM(box.width / 2, box.height / 2);
        control.Post(WM_LBUTTONDOWN, MK_LBUTTON, at);
        control.Post(WM_LBUTTONUP, 0, at);
    }
};

TEST_F(About, ShowsCaptionTitleVersionAndLinkCentredOverTheMainWindow) {
    Window about = Open();
    EXPECT_EQ(about.Caption(), L"About Scourway");
    EXPECT_EQ(GetWindow(about.handle(), GW_OWNER), main.handle()) << "owned: no taskbar entry";
    EXPECT_EQ(about.Child(IDC_ABOUT_TITLE).Text(), L"Scourway");
    EXPECT_EQ(about.Child(IDC_ABOUT_VERSION).Text(), std::wstring(L"Version ") + SCOURWAY_VERSION_TEXT_W);
    EXPECT_EQ(about.Child(IDC_ABOUT_DISCLAIMER).Text(),
              std::wstring(L"Click here to visit  ") + kAddress);
    EXPECT_EQ(about.Child(IDC_ABOUT_OK).Text(), L"OK");
    EXPECT_NE(about.Child(IDC_ABOUT_DESCRIPTION).Text().find(L"Ansel Corrigan"), std::wstring::npos);

    // Fixed dialog frame with a close box only.
    EXPECT_TRUE(about.ExStyle() & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(about.ExStyle() & WS_EX_APPWINDOW);
    EXPECT_TRUE(about.Style() & WS_SYSMENU);
    EXPECT_FALSE(about.Style() & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    Box client = about.ClientScreenBox();
    EXPECT_EQ(client.width, Pixels(5745, LOGPIXELSX));
    EXPECT_EQ(client.height, Pixels(2880, LOGPIXELSY));

    // The picture box: the 83 x 119 picture and a 2-pixel sunken border around it.
    Window picture = about.Child(IDC_ABOUT_PICICON);
    EXPECT_TRUE(picture.ExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_EQ(picture.BoxInParent(),
              (Box{Pixels(180, LOGPIXELSX), Pixels(195, LOGPIXELSY), 83 + 4, 119 + 4}));

    Box mine = Centre(about.ScreenBox()), theirs = Centre(main.ScreenBox());
    EXPECT_LE(std::abs(mine.left - theirs.left), 1);
    EXPECT_LE(std::abs(mine.top - theirs.top), 1);

    PressKey(about, VK_ESCAPE);
    WaitClosed(about);
}

TEST_F(About, EnterEscAndTheCloseBoxCloseItAndEachOpeningLoadsAfresh) {
    Window first = Open();
    // Spoil what Form_Load wrote: a reopened window must show it computed anew.
    first.SetText(L"spoilt");
    first.Child(IDC_ABOUT_VERSION).SetText(L"spoilt");
    PressKey(first, VK_RETURN);
    WaitClosed(first);

    Window second = Open(first.handle());
    EXPECT_EQ(second.Caption(), L"About Scourway");
    EXPECT_EQ(second.Child(IDC_ABOUT_VERSION).Text(), std::wstring(L"Version ") + SCOURWAY_VERSION_TEXT_W);
    PressKey(second, VK_ESCAPE);
    WaitClosed(second);

    Window third = Open(second.handle());
    third.Post(WM_SYSCOMMAND, SC_CLOSE, 0);
    WaitClosed(third);
    EXPECT_TRUE(program->Running());
    EXPECT_EQ(main.Caption(), L"Scourway");
}

// The shell opens web addresses with Wine's browser launcher, which runs the
// programs listed under HKCU\Software\Wine\WineBrowser. For this test that is a
// shell line writing each address it is given into a file.
class AboutLinks : public About {
protected:
    std::wstring record;
    bool installed = false;
    bool hadBrowsers = false;
    std::vector<BYTE> savedBrowsers;
    DWORD savedType = REG_SZ;

    static constexpr wchar_t kKey[] = L"Software\\Wine\\WineBrowser";

    void SetUp() override {
        using UnixName = char*(CDECL*)(LPCWSTR);
        auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
        if (!unixName) GTEST_SKIP() << "the address is observed through Wine's browser launcher";
        record = folder.Root() + L"\\opened.txt";
        WriteBytes(record, "");
        char* unixRecord = unixName(record.c_str());
        ASSERT_NE(unixRecord, nullptr);
        std::wstring line = L"/bin/sh -c \"echo $0 >> '" + Wide(unixRecord) + L"'\"";
        HeapFree(GetProcessHeap(), 0, unixRecord);

        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr), ERROR_SUCCESS);
        DWORD size = 0;
        if (RegQueryValueExW(key, L"Browsers", nullptr, &savedType, nullptr, &size) == ERROR_SUCCESS) {
            hadBrowsers = true;
            savedBrowsers.resize(size);
            RegQueryValueExW(key, L"Browsers", nullptr, &savedType, savedBrowsers.data(), &size);
        }
        RegSetValueExW(key, L"Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(line.c_str()),
                       static_cast<DWORD>((line.size() + 1) * sizeof(wchar_t)));
        installed = true;
        RegCloseKey(key);
        About::SetUp();
    }

    void TearDown() override {
        program.reset();
        HKEY key = nullptr;
        if (!installed ||
            RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return;
        if (hadBrowsers)
            RegSetValueExW(key, L"Browsers", 0, savedType, savedBrowsers.data(),
                           static_cast<DWORD>(savedBrowsers.size()));
        else
            RegDeleteValueW(key, L"Browsers");
        RegCloseKey(key);
    }

    size_t OpenedCount() const {
        std::string text = ReadBytes(record);
        return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
    }
};

TEST_F(AboutLinks, TheLinkAndThePictureOpenTheSiteAndTheWindowStaysOpen) {
    Window about = Open();
    ClickOn(about.Child(IDC_ABOUT_DISCLAIMER));
    program->WaitUntil([&] { return OpenedCount() == 1; }, "the shell to be asked for the site");
    // The shell hands the address on in its canonical form, with the root's "/".
    EXPECT_EQ(ReadBytes(record), Utf8(kAddress) + "/\n");

    ClickOn(about.Child(IDC_ABOUT_PICICON));
    program->WaitUntil([&] { return OpenedCount() == 2; }, "the site to be opened a second time");
    EXPECT_TRUE(about.Exists() && about.Visible()) << "the About window stays open";

    PressKey(about, VK_ESCAPE);
    WaitClosed(about);
}

TEST_F(About, OpenedDuringADeleteRunItHoldsTheRunUntilClosed) {
    constexpr int kFolders = 20;
    for (int i = 0; i < kFolders; ++i) {
        std::wstring dir = L"tree\\d" + std::to_wstring(i);
        folder.MakeDir(dir);
        folder.WriteFile(dir + L"\\x.tmp");
        folder.WriteFile(dir + L"\\keep.txt");
    }
    auto matches = [&] {
        auto files = folder.FilesBelow(L"tree");
        return std::count_if(files.begin(), files.end(), [](const std::wstring& f) {
            return f.size() > 4 && f.compare(f.size() - 4, 4, L".tmp") == 0;
        });
    };
    main.txtDir().SetText(folder.PathOf(L"tree"));
    main.cmdProcess().Click();
    const MessageBoxView confirm = ExpectMessageBox(
        L"Confirm Delete",
        L"Are you sure you wish to delete the listed files starting from " + folder.PathOf(L"tree") +
            L"?\n\nWARNING: This can NOT be undone and will recursively delete the "
            L"listed files in ALL subdirectories.",
        {IDYES, IDNO});
    // Yes and "?" are queued together: the box ends on the first, and the run's first
    // yield takes the second, so the About window opens with the run just begun.
    Window(GetDlgItem(confirm.window().handle(), IDYES)).Click();
    main.cmdAbout().Click();  // "?" stays enabled during the run
    Window about = WaitForAbout();

    const std::wstring caption = main.Caption();
    const auto left = matches();
    EXPECT_EQ(caption.rfind(L"Scourway - ", 0), 0u) << "the run is under way";
    EXPECT_GT(left, 0) << "the run ended before the About window opened";
    // Held: each message answered by the About window's loop was a chance for a run
    // that went on to move; while the window is open neither the caption nor the files do.
    for (int look = 0; look < 3; ++look) {
        main.Send(WM_NULL);
        EXPECT_EQ(main.Caption(), caption);
        EXPECT_EQ(matches(), left);
    }
    EXPECT_FALSE(main.cmdProcess().Enabled()) << "the run still holds the window";

    PressKey(about, VK_ESCAPE);
    ExpectMessageBox(L"Scourway",
                     std::to_wstring(kFolders) + L" total files deleted in " +
                         std::to_wstring(kFolders + 1) + L" directories.",
                     {IDOK})
        .Answer(IDOK);
    EXPECT_EQ(matches(), 0);
    EXPECT_EQ(folder.FilesBelow(L"tree").size(), static_cast<size_t>(kFolders));
    EXPECT_EQ(main.Caption(), L"Scourway");
}

}  // namespace
}  // namespace e2e
