#pragma once
// Scourway's own windows seen from outside: the main window with its controls by the
// identifiers of control_ids.h, and the text prompt of Add and Edit.
#include <optional>
#include <string>
#include <vector>

#include "control_ids.h"
#include "program_process.h"
#include "window.h"

namespace e2e {

class MainWindow : public Window {
public:
    MainWindow() = default;
    explicit MainWindow(const Window& w) : Window(w.handle()) {}

    Window lblDir() const { return Child(IDC_LBL_DIR); }
    Edit txtDir() const { return Edit(Child(IDC_TXTDIR)); }
    Window cmdBrowse() const { return Child(IDC_CMDBROWSE); }
    Window lblFiles() const { return Child(IDC_LBL_FILES); }
    ListBox lstDelete() const { return ListBox(Child(IDC_LSTDELETE)); }
    Window cmdAdd() const { return Child(IDC_CMDADD); }
    Window cmdRemove() const { return Child(IDC_CMDREMOVE); }
    Window cmdSave() const { return Child(IDC_CMDSAVE); }
    Window cmdProcess() const { return Child(IDC_CMDPROCESS); }
    Window cmdClose() const { return Child(IDC_CMDCLOSE); }
    Window cmdAbout() const { return Child(IDC_CMDABOUT); }

    // The eight controls a delete run disables, in the order it disables them.
    std::vector<Window> RunLockedControls() const;
    // The control with the keyboard focus on the window's thread.
    Window Focus() const { return FocusOf(ThreadId()); }

    // Waits until the window's thread has handled everything posted to it so far (clicks,
    // keys): a marker posted after them has taken effect. The marker is txtDir's text
    // limit, which is set back afterwards.
    void Settle() const;
};

// A top-level window of Scourway that holds the pattern list box: the main window,
// visible or not.
bool IsMainWindow(const Window& w);
std::optional<MainWindow> FindMainWindow(const ProgramProcess& program);
// Waits for the main window to be on the screen (visible, and iconic or not).
MainWindow WaitForMainWindow(const ProgramProcess& program, DWORD timeoutMs = kWaitMs);

class TextPrompt : public Window {
public:
    explicit TextPrompt(const Window& w) : Window(w.handle()) {}
    Window label() const { return Child(IDC_PROMPT_LABEL); }
    Edit field() const { return Edit(Child(IDC_PROMPT_EDIT)); }
    Window ok() const { return Child(IDOK); }
    Window cancel() const { return Child(IDCANCEL); }

    // Types `text` into the field (replacing what is there) and presses OK; or presses
    // Cancel. Both wait until the prompt has closed.
    void Answer(const std::wstring& text) const;
    void Cancel() const;
    // Presses OK or Cancel and waits until the prompt has closed.
    void Press(const Window& button) const;
    bool Open() const { return Exists() && Visible(); }
};

TextPrompt WaitForPrompt(const ProgramProcess& program, const std::wstring& title,
                         DWORD timeoutMs = kWaitMs);

}  // namespace e2e
