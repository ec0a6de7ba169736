#include "scourway_test.h"

#include <windows.h>

namespace e2e {

ProgramProcess& ScourwayTest::Start(const std::wstring& arguments, const std::wstring& standardOutput) {
    program.reset();
    program = std::make_unique<ProgramProcess>(folder, arguments, standardOutput);
    return *program;
}

MainWindow ScourwayTest::StartShown(const std::wstring& arguments) {
    Start(arguments);
    MainWindow main = WaitForMainWindow(*program);
    HWND dir = main.txtDir().handle();
    program->WaitUntil([&] { return main.Focus().handle() == dir; }, "the focus in txtDir");
    return main;
}

bool ScourwayTest::MainWindowVisible() const {
    auto main = FindMainWindow(*program);
    return main && main->Visible();
}

DWORD ScourwayTest::WaitForExitUnseen() {
    bool seen = false;
    e2e::WaitUntil(
        [&] {
            seen = seen || MainWindowVisible();
            return !program->Running();
        },
        "the program to end");
    EXPECT_FALSE(seen) << "the main window was shown";
    return *program->ExitCode();
}

MessageBoxView ScourwayTest::ExpectMessageBox(const std::wstring& title, const std::wstring& text,
                                              const std::vector<int>& buttons) {
    MessageBoxView box = program->WaitForMessageBox();
    EXPECT_EQ(box.Title(), title);
    EXPECT_EQ(WithPlainLineBreaks(box.Text()), WithPlainLineBreaks(text));
    EXPECT_EQ(box.Buttons(), buttons);
    return box;
}

std::wstring ScourwayTest::DefaultStartDir() {
    wchar_t windows[MAX_PATH] = {};
    UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    std::wstring dir(windows, n);
    if (dir.empty() || dir.back() != L'\\') dir += L'\\';
    return dir + L"TEMP\\";
}

std::wstring WithPlainLineBreaks(std::wstring text) {
    for (size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;) text.erase(at, 1);
    return text;
}

std::string Ansi(const std::wstring& text) { return Encode(text, CP_ACP); }
std::wstring FromAnsi(const std::string& bytes) { return Decode(bytes, CP_ACP); }

}  // namespace e2e
