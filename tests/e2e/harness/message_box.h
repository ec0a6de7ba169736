#pragma once
// A message box (class #32770) of another process: its title, text, buttons and symbol,
// and the user's answer.
#include <windows.h>

#include <string>
#include <vector>

#include "window.h"

namespace e2e {

enum class MessageIcon { None, Question, Information, Warning, Error, Unknown };
std::string ToString(MessageIcon icon);

class MessageBoxView {
public:
    MessageBoxView() = default;
    explicit MessageBoxView(Window box) : box_(box) {}

    const Window& window() const { return box_; }
    std::wstring Title() const;
    std::wstring Text() const;           // the static with id 0xFFFF
    std::vector<int> Buttons() const;    // visible buttons among IDOK..IDNO, in id order
    int DefaultButton() const;           // the button styled as default, 0 when none
    // The symbol, told from the screen pixels of the icon control compared with the
    // system's own icons drawn on the same background. Unknown when none matches.
    MessageIcon Icon() const;

    // Presses the button (BM_CLICK) and waits until the box has gone.
    void Answer(int buttonId) const;

private:
    Window box_;
};

// Every message box of the process that is on the screen now.
std::vector<MessageBoxView> MessageBoxesOf(DWORD processId);

}  // namespace e2e
