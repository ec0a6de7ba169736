// Ready for real users: Tollen.ocx found beside the program without registration,
// the layouts at 120 and 144 dots per inch, PREVIEW and RECYCLE, and unattended
// runs that fail at start-up without waiting on a box.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <functional>
#include <set>

#include "scourway_test.h"

namespace e2e {
namespace {

using Files = std::vector<std::wstring>;

const std::wstring kConfirmStart = L"Are you sure you wish to delete the listed files starting from ";
const std::wstring kRecycleWarning =
    L"?\r\n\r\nThe files will be moved to the Recycle Bin; they can be restored from there.";

// The host's path of a Windows path (Wine's own mapping).
std::string HostPathOf(const std::wstring& path) {
    using ToHost = char*(CDECL*)(const wchar_t*);
    auto toHost = reinterpret_cast<ToHost>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toHost) Fail("these tests need Wine's file name mapping");
    char* host = toHost(path.c_str());
    if (!host) Fail("no host path for " + Utf8(path));
    std::string result = host;
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}

// Lines of the program's output (UTF-8, CR LF).
Files OutputLines(const std::string& output) {
    const std::wstring text = Wide(output);
    Files lines;
    for (size_t start = 0, end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// Runs a host program (a Linux one, started by its path under Wine, which cannot be
// waited for) and waits until what it does can be seen.
void OnHost(const std::wstring& program, const std::wstring& commandLine, const std::function<bool()>& done,
            const std::string& what) {
    std::wstring line = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        Fail("starting " + Utf8(program), true);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    e2e::WaitUntil(done, what);
}

bool Contains(const Files& files, const std::wstring& name) {
    return std::find(files.begin(), files.end(), name) != files.end();
}

class ReleaseTest : public ScourwayTest {
protected:
    // Waits for the program to end, failing (and ending it) if a message box or the main
    // window shows up on the way: an unattended run must never wait for a reader.
    DWORD ExitWithoutABox() {
        bool boxed = false;
        e2e::WaitUntil(
            [&] {
                boxed = boxed || program->HasMessageBox() || MainWindowVisible();
                return boxed || !program->Running();
            },
            "the program to end");
        EXPECT_FALSE(boxed) << "a box or the window was shown";
        if (boxed) program->Kill();
        return program->WaitForExit();
    }

    // tree\ with three directories; "*.bak", "~*.*" and "*.tmp" match five files, one of
    // them hidden and one with a name outside ASCII.
    void MakeTree() {
        folder.WriteList("*.bak\r\n~*.*\r\n*.tmp\r\n");
        folder.MakeDir(L"tree\\sub\\deeper");
        for (const wchar_t* file : {L"tree\\a.bak", L"tree\\keep.txt", L"tree\\~draft", L"tree\\sub\\caf\u00e9.tmp",
                                    L"tree\\sub\\keep.doc", L"tree\\sub\\deeper\\hidden.bak",
                                    L"tree\\sub\\deeper\\x.tmpl", L"tree\\sub\\deeper\\y.TMP"})
            folder.WriteFile(file, "junk");
        SetFileAttributesW(folder.PathOf(L"tree\\sub\\deeper\\hidden.bak").c_str(), FILE_ATTRIBUTE_HIDDEN);
    }
    const Files kTreeMatches{L"a.bak", L"sub\\caf\u00e9.tmp", L"sub\\deeper\\hidden.bak", L"sub\\deeper\\y.TMP",
                             L"~draft"};
};

// --- Tollen.ocx without registration ---------------------------------------------

// The control library unregistered for the test (through its own entry points, as
// regsvr32 calls them) and registered again afterwards.
class WithoutRegistration : public ReleaseTest {
protected:
    static std::wstring BuiltLibrary() { return WindowsPathOf(TOLLEN_OCX_HOST_PATH); }

    static void CallLibrary(const char* entryPoint) {
        HMODULE library = LoadLibraryW(BuiltLibrary().c_str());
        if (!library) Fail("loading " + Utf8(BuiltLibrary()), true);
        using Entry = HRESULT(STDAPICALLTYPE*)();
        auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(library, entryPoint)));
        const HRESULT hr = entry ? entry() : E_NOINTERFACE;
        FreeLibrary(library);
        if (FAILED(hr)) Fail(std::string(entryPoint) + " failed with " + std::to_string(hr));
    }

    void SetUp() override {
        CallLibrary("DllUnregisterServer");
        CLSID clsid{};
        ASSERT_EQ(CLSIDFromProgID(L"Tollen.Pathwick", &clsid), CO_E_CLASSSTRING) << "still registered";
    }
    void TearDown() override {
        program.reset();
        CallLibrary("DllRegisterServer");
    }
};

TEST_F(WithoutRegistration, BesideTheProgramTheWindowStartsAndBrowseOpensTheFolderDialog) {
    folder.WriteList("*.tmp\r\n");
    if (!CopyFileW(BuiltLibrary().c_str(), (folder.ProgramDir() + L"\\Tollen.ocx").c_str(), FALSE))
        Fail("copying Tollen.ocx beside the program", true);
    MainWindow main = StartShown();
    const std::wstring start = folder.PathOf(L"");
    main.txtDir().SetText(start);
    main.cmdBrowse().Click();
    Window dialog = program->WaitForWindow(
        [&](const Window& w) {
            return w.ClassName() == L"#32770" && w.Visible() && GetWindow(w.handle(), GW_OWNER) == main.handle();
        },
        "the folder dialog owned by the main window");
    dialog.Post(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog.handle(), IDCANCEL)));
    program->WaitUntil([&] { return !dialog.Exists() && main.Enabled(); }, "the folder dialog to close");
    main.Settle();
    EXPECT_EQ(main.txtDir().Text(), start);
}

TEST_F(WithoutRegistration, NeitherBesideNorRegisteredAnUnattendedRunEndsWithTheReasonOnStandardError) {
    MakeTree();
    Start(L"/AUTO /QUIET /DIR " + folder.PathOf(L"tree"));
    EXPECT_NE(ExitWithoutABox(), 0u);
    EXPECT_NE(program->Output().find("The folder picker could not be created."), std::string::npos)
        << program->Output();
    EXPECT_EQ(folder.FilesBelow(L"tree").size(), 8u) << "nothing is deleted";
}

// --- Unattended start-up failures --------------------------------------------------

TEST_F(ReleaseTest, AnUnreadableListEndsAnUnattendedRunWithoutABox) {
    MakeTree();
    HANDLE lock = CreateFileW(folder.ListPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Start(L"/QUIET /AUTO /DIR " + folder.PathOf(L"tree"));
    const DWORD code = ExitWithoutABox();
    CloseHandle(lock);
    EXPECT_NE(code, 0u);
    EXPECT_NE(program->Output().find(Utf8(folder.ListPath())), std::string::npos) << program->Output();
}

TEST_F(ReleaseTest, AFolderInTheListsPlaceEndsAnUnattendedRunWithoutAQuestionOrABox) {
    folder.MakeDir(L"program\\KILL.LST");   // no list can be read or created there
    Start(L"/AUTO /QUIET /DIR " + folder.PathOf(L""));
    EXPECT_EQ(ExitWithoutABox(), 1u);
    EXPECT_NE(program->Output().find(Utf8(folder.ListPath())), std::string::npos) << program->Output();
}

// --- PREVIEW ---------------------------------------------------------------------

TEST_F(ReleaseTest, APreviewListsExactlyTheFilesTheRunThenDeletesAndApartThoseItLeaves) {
    MakeTree();
    folder.WriteFile(L"tree\\sub\\ro.bak", "junk");
    const std::wstring readOnly = folder.PathOf(L"tree\\sub\\ro.bak");
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    const Files before = folder.FilesBelow(L"tree");
    const std::wstring tree = folder.PathOf(L"tree");
    Start(L"/AUTO /QUIET /PREVIEW /DIR " + tree);
    ASSERT_EQ(ExitWithoutABox(), 0u);
    Files listed = OutputLines(program->Output());
    const std::wstring stays = L"1 matching files would stay (read-only).";
    ASSERT_GE(listed.size(), 6u);
    EXPECT_EQ(Files(listed.end() - 6, listed.end()),
              (Files{stays, readOnly, L"5 files would be deleted in 3 directories.", L"", stays,
                     L"20 bytes would be freed."}));
    listed.resize(listed.size() - 6);
    for (std::wstring& path : listed) {
        ASSERT_EQ(path.rfind(tree + L"\\", 0), 0u) << Utf8(path) << " is not a full path in the tree";
        path.erase(0, tree.size() + 1);
    }
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, kTreeMatches);
    EXPECT_EQ(folder.FilesBelow(L"tree"), before) << "the preview deleted something";

    Start(L"/AUTO /QUIET /DIR " + tree);
    ASSERT_EQ(ExitWithoutABox(), 0u);
    EXPECT_EQ(OutputLines(program->Output()),
              (Files{L"5 total files deleted in 3 directories.", L"", L"1 matching files could not be deleted.",
                     L"20 bytes freed."}));
    const Files after = folder.FilesBelow(L"tree");
    Files deleted;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(deleted));
    EXPECT_EQ(deleted, listed);
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ReleaseTest, AnAttendedPreviewAsksNothingAndReportsInTheSummaryBox) {
    MakeTree();
    const Files before = folder.FilesBelow(L"tree");
    MainWindow main = StartShown(L"/PREVIEW");
    main.txtDir().SetText(folder.PathOf(L"tree"));
    main.cmdProcess().Click();
    ExpectMessageBox(L"Scourway", L"5 files would be deleted in 3 directories.", {IDOK}).Answer(IDOK);
    main.Settle();
    EXPECT_EQ(main.Caption(), L"Scourway");
    EXPECT_TRUE(main.cmdProcess().Enabled());
    EXPECT_EQ(folder.FilesBelow(L"tree"), before);
}

// --- RECYCLE ---------------------------------------------------------------------

// Under Wine the Recycle Bin is the desktop's trash, $XDG_DATA_HOME/Trash: for each test
// a folder of its own, which the program inherits. (It must exist: without a usable
// trash the shell deletes outright.)
class Recycle : public ReleaseTest {
protected:
    void SetUp() override {
        folder.MakeDir(L"home");
        previous_ = Environment();
        SetEnvironmentVariableW(kVariable, Wide(HostPathOf(folder.PathOf(L"home"))).c_str());
    }
    void TearDown() override {
        program.reset();
        SetEnvironmentVariableW(kVariable, previous_ ? previous_->c_str() : nullptr);
    }
    // What the Recycle Bin holds under this name.
    std::optional<std::string> Recycled(const std::wstring& name) const {
        const std::wstring path = folder.PathOf(L"home\\Trash\\files\\" + name);
        if (!FileExists(path)) return std::nullopt;
        return ReadBytes(path);
    }

private:
    static constexpr wchar_t kVariable[] = L"XDG_DATA_HOME";
    static std::optional<std::wstring> Environment() {
        wchar_t value[1024];
        const DWORD length = GetEnvironmentVariableW(kVariable, value, 1024);
        if (length == 0 || length >= 1024) return std::nullopt;
        return std::wstring(value, length);
    }
    std::optional<std::wstring> previous_;
};

TEST_F(Recycle, TheConfirmationSaysWhereTheFilesGoAndTheyLandInTheRecycleBin) {
    MakeTree();
    SetFileAttributesW(folder.PathOf(L"tree\\a.bak").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::wstring tree = folder.PathOf(L"tree");
    MainWindow main = StartShown(L"/RECYCLE /DIR " + tree);
    main.cmdProcess().Click();
    ExpectMessageBox(L"Confirm Delete", kConfirmStart + tree + kRecycleWarning, {IDYES, IDNO}).Answer(IDYES);
    ExpectMessageBox(L"Scourway",
                     L"4 total files deleted in 3 directories.\r\n\r\n1 matching files could not be deleted.", {IDOK})
        .Answer(IDOK);
    EXPECT_EQ(folder.FilesBelow(L"tree"),
              (Files{L"a.bak", L"keep.txt", L"sub\\deeper\\x.tmpl", L"sub\\keep.doc"}));
    for (const wchar_t* name : {L"~draft", L"caf\u00e9.tmp", L"hidden.bak", L"y.TMP"})
        EXPECT_EQ(Recycled(name), std::optional<std::string>("junk")) << Utf8(name);
    EXPECT_FALSE(Recycled(L"a.bak")) << "a read-only file stays, as in a delete run";
    SetFileAttributesW(folder.PathOf(L"tree\\a.bak").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Recycle, AnUnattendedRunRecyclesAndWritesTheUsualSummary) {
    MakeTree();
    Start(L"/AUTO /QUIET /RECYCLE /DIR " + folder.PathOf(L"tree"));
    ASSERT_EQ(ExitWithoutABox(), 0u);
    EXPECT_EQ(OutputLines(program->Output()), (Files{L"5 total files deleted in 3 directories.", L"20 bytes freed."}));
    EXPECT_EQ(folder.FilesBelow(L"tree"), (Files{L"keep.txt", L"sub\\deeper\\x.tmpl", L"sub\\keep.doc"}));
    EXPECT_TRUE(Recycled(L"a.bak"));
}

// Files only the host makes: a name with "*", one ending in ".", a link. The shell's
// operation would read the first as a wildcard, shorten the second to its read-only
// neighbour and follow the third to its target: all three stay, and only the plain
// match goes.
TEST_F(Recycle, OnlyTheMatchingFileGoesNeverANeighbourOrALinksTarget) {
    folder.WriteList("?\r\n*.tmp\r\nb.log*\r\n");
    folder.MakeDir(L"tree\\sub");
    folder.WriteFile(L"tree\\keep.txt", "keep");
    folder.WriteFile(L"tree\\other.txt", "other");
    folder.WriteFile(L"tree\\sub\\inner.txt", "inner");
    folder.WriteFile(L"tree\\b.log", "read-only");
    folder.WriteFile(L"tree\\plain.tmp", "plain");
    SetFileAttributesW(folder.PathOf(L"tree\\b.log").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::wstring host = Wide(HostPathOf(folder.PathOf(L"tree")));
    OnHost(L"Z:\\usr\\bin\\touch", L"touch \"" + host + L"/*\" \"" + host + L"/b.log.\"",
           [&] { return Contains(folder.FilesBelow(L"tree"), L"b.log."); }, "the host to make the odd names");
    OnHost(L"Z:\\bin\\ln", L"ln -s keep.txt \"" + host + L"/link.tmp\"",
           [&] { return Contains(folder.FilesBelow(L"tree"), L"link.tmp"); }, "the host to make the link");
    const Files before = folder.FilesBelow(L"tree");

    Start(L"/AUTO /QUIET /RECYCLE /DIR " + folder.PathOf(L"tree"));
    ASSERT_EQ(ExitWithoutABox(), 0u);
    EXPECT_EQ(OutputLines(program->Output()),
              (Files{L"1 total files deleted in 2 directories.", L"", L"4 matching files could not be deleted.",
                     L"5 bytes freed."}));
    Files expected = before;
    expected.erase(std::find(expected.begin(), expected.end(), L"plain.tmp"));
    EXPECT_EQ(folder.FilesBelow(L"tree"), expected);
    EXPECT_EQ(ReadBytes(folder.PathOf(L"tree\\keep.txt")), "keep");
    EXPECT_EQ(Recycled(L"plain.tmp"), std::optional<std::string>("plain"));
    for (const wchar_t* stays : {L"keep.txt", L"link.tmp", L"other.txt", L"sub", L"b.log"})
        EXPECT_FALSE(Recycled(stays)) << Utf8(stays);

    // Names the program folder's removal cannot take go with the host's rm.
    SetFileAttributesW(folder.PathOf(L"tree\\b.log").c_str(), FILE_ATTRIBUTE_NORMAL);
    OnHost(L"Z:\\bin\\rm", L"rm -rf \"" + host + L"\"", [&] { return !folder.Exists(L"tree"); },
           "the host to remove the tree");
}

// Under Wine the deletion of an immutable file (chattr +i) is accepted and then not
// carried out: it is still there, and the summary says so.
TEST_F(Recycle, AFileWhoseAcceptedDeletionDidNotHappenIsReportedNotDeleted) {
    for (const wchar_t* recycle : {L"", L"/RECYCLE "}) {
        folder.WriteList("*.tmp\r\n");
        folder.MakeDir(L"tree");
        folder.WriteFile(L"tree\\pinned.tmp", "pinned");
        folder.WriteFile(L"tree\\free.tmp", "free");
        const std::wstring pinned = Wide(HostPathOf(folder.PathOf(L"tree\\pinned.tmp")));
        const auto writable = [&] {
            HANDLE file = CreateFileW(folder.PathOf(L"tree\\pinned.tmp").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
            if (file == INVALID_HANDLE_VALUE) return false;
            CloseHandle(file);
            return true;
        };
        try {
            OnHost(L"Z:\\usr\\bin\\chattr", L"chattr +i \"" + pinned + L"\"", [&] { return !writable(); },
                   "chattr +i");
        } catch (const HarnessError&) {
            GTEST_SKIP() << "chattr +i needs root and a file system with the attribute";
        }
        Start(L"/AUTO /QUIET " + std::wstring(recycle) + L"/DIR " + folder.PathOf(L"tree"));
        const DWORD code = ExitWithoutABox();
        OnHost(L"Z:\\usr\\bin\\chattr", L"chattr -i \"" + pinned + L"\"", writable, "chattr -i");
        EXPECT_EQ(code, 0u);
        EXPECT_EQ(OutputLines(program->Output()),
                  (Files{L"1 total files deleted in 1 directories.", L"", L"1 matching files could not be deleted.",
                         L"4 bytes freed."}))
            << Utf8(recycle);
        EXPECT_EQ(folder.FilesBelow(L"tree"), Files{L"pinned.tmp"});
        RemoveTree(folder.PathOf(L"tree"));
    }
}

// --- Layouts at the screen's DPI ---------------------------------------------------

// The DPI Wine gives a program it starts: HKCU\Control Panel\Desktop, LogPixels.
class ScreenDpi : public ReleaseTest, public ::testing::WithParamInterface<int> {
protected:
    static constexpr wchar_t kKey[] = L"Control Panel\\Desktop";
    void SetUp() override {
        DWORD value = 0, size = sizeof value;
        if (RegGetValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &value, &size) ==
            ERROR_SUCCESS)
            previous_ = value;
    }
    void TearDown() override {
        program.reset();
        if (previous_)
            SetDpi(static_cast<int>(*previous_));
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels");
    }
    static void SetDpi(int dpi) {
        const DWORD value = static_cast<DWORD>(dpi);
        if (RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", REG_DWORD, &value, sizeof value) != ERROR_SUCCESS)
            Fail("setting LogPixels");
    }
    static int Px(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

    // The width of a label's text on one line in the program's 8.25-point font at this DPI.
    static int TextWidth(const std::wstring& text, int dpi) {
        HFONT font = CreateFontW(-MulDiv(825, dpi, 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                 L"MS Sans Serif");
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, font);
        RECT needed{};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, DT_CALCRECT | DT_SINGLELINE);
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(font);
        return needed.right;
    }

    struct Sizes {
        Box main, list, about, prompt, promptField;
        std::vector<std::pair<Box, std::wstring>> labels;
    };
    // The client areas of the main window, the About window and the text prompt, the
    // list box in the main window and the prompt's field, for a program started at this DPI.
    Sizes Measure(int dpi) {
        SetDpi(dpi);
        folder.WriteList("*.tmp\r\n");
        MainWindow main = StartShown();
        Sizes sizes;
        sizes.main = main.ClientScreenBox();
        sizes.list = main.lstDelete().BoxInParent();
        for (const Window& label : {main.lblDir(), main.lblFiles()}) sizes.labels.emplace_back(label.BoxInParent(), label.Text());

        main.cmdAdd().Click();
        TextPrompt prompt = WaitForPrompt(*program, L"Add File to Delete");
        sizes.prompt = prompt.ClientScreenBox();
        sizes.promptField = prompt.field().BoxInParent();
        prompt.Cancel();

        main.cmdAbout().Click();
        Window about = program->WaitForWindow(
            [](const Window& w) { return w.ClassName() == L"ScourwayAbout" && w.Visible(); }, "the About window");
        sizes.about = about.ClientScreenBox();
        about.Post(WM_CLOSE);
        program->WaitUntil([&] { return !about.Exists(); }, "the About window to close");
        program.reset();
        return sizes;
    }

    std::optional<DWORD> previous_;
};

// Every window is laid out in twips and placed at the screen's DPI; at 96 DPI these
// are the familiar 409 x 351 main window, 383 x 192 About window and 360 x 127 prompt.
TEST_P(ScreenDpi, WindowsKeepTheirTwipsLayout) {
    const int dpi = GetParam();
    const Sizes sizes = Measure(dpi);
    auto place = [dpi](int left, int top, int width, int height) {
        return Box{Px(left, dpi), Px(top, dpi), Px(left + width, dpi) - Px(left, dpi),
                   Px(top + height, dpi) - Px(top, dpi)};
    };
    EXPECT_EQ(sizes.main.width, Px(6135, dpi));
    EXPECT_EQ(sizes.main.height, Px(5265, dpi));
    EXPECT_EQ(sizes.list, place(120, 1080, 5895, 3570)) << ToString(sizes.list);
    EXPECT_EQ(sizes.about.width, Px(5745, dpi));
    EXPECT_EQ(sizes.about.height, Px(2880, dpi));
    EXPECT_EQ(sizes.prompt.width, Px(5400, dpi));
    EXPECT_EQ(sizes.prompt.height, Px(1905, dpi));
    EXPECT_EQ(sizes.promptField, place(165, 1395, 5085, 315)) << ToString(sizes.promptField);

    // A label shows its text on one line, however wide the font is at this DPI.
    for (const auto& [box, text] : sizes.labels) {
        EXPECT_EQ(box.height, Px(195, dpi)) << Utf8(text);
        EXPECT_GE(box.width, TextWidth(text, dpi)) << Utf8(text) << " wraps in " << ToString(box);
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, ScreenDpi, ::testing::Values(96, 120, 144));

}  // namespace
}  // namespace e2e
