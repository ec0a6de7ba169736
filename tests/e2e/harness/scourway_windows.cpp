#include "scourway_windows.h"

#include "harness_error.h"

namespace e2e {

std::vector<Window> MainWindow::RunLockedControls() const {
    return {cmdSave(), txtDir(), lstDelete(), cmdProcess(),
            cmdAdd(),  cmdBrowse(), cmdRemove(), cmdClose()};
}

void MainWindow::Settle() const {
    Edit dir = txtDir();
    auto limit = static_cast<WPARAM>(dir.Send(EM_GETLIMITTEXT));
    WPARAM marker = limit > 1 ? limit - 1 : limit + 1;
    dir.Post(EM_SETLIMITTEXT, marker);
    e2e::WaitUntil([&] { return static_cast<WPARAM>(dir.Send(EM_GETLIMITTEXT)) == marker; },
                   "Scourway to handle the messages posted to it");
    dir.Send(EM_SETLIMITTEXT, limit);
}

bool IsMainWindow(const Window& w) {
    return w.ClassName() != L"#32770" && GetDlgItem(w.handle(), IDC_LSTDELETE) != nullptr;
}

std::optional<MainWindow> FindMainWindow(const ProgramProcess& program) {
    if (auto w = program.FindWindow(IsMainWindow)) return MainWindow(*w);
    return std::nullopt;
}

MainWindow WaitForMainWindow(const ProgramProcess& program, DWORD timeoutMs) {
    return MainWindow(program.WaitForWindow(
        [](const Window& w) { return IsMainWindow(w) && w.Visible(); },
        "Scourway's main window to be shown", timeoutMs));
}

void TextPrompt::Answer(const std::wstring& text) const {
    field().SetText(text);
    Press(ok());
}

void TextPrompt::Cancel() const { Press(cancel()); }

void TextPrompt::Press(const Window& button) const {
    PressAndWaitUntilClosed(*this, button, "the prompt \"" + Utf8(Caption()) + "\" to close");
}

TextPrompt WaitForPrompt(const ProgramProcess& program, const std::wstring& title,
                         DWORD timeoutMs) {
    return TextPrompt(program.WaitForWindow(
        [&](const Window& w) {
            return w.Visible() && w.Caption() == title &&
                   GetDlgItem(w.handle(), IDC_PROMPT_EDIT) != nullptr;
        },
        "the text prompt \"" + Utf8(title) + "\"", timeoutMs));
}

}  // namespace e2e
