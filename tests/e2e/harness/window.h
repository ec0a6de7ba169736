#pragma once
// A window of another process, read and driven from outside. Reads that need the owning
// thread's answer go through SendMessageTimeoutW (wide, so Wine marshals text across the
// process boundary); a window that does not answer within a few seconds is a failure.
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Position and size of a window in the coordinates of some reference area.
struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Box& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};
std::string ToString(const Box& box);

class Window {
public:
    Window() = default;
    explicit Window(HWND hwnd) : hwnd_(hwnd) {}

    HWND handle() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }
    bool Exists() const { return hwnd_ && IsWindow(hwnd_); }

    // WM_GETTEXT, answered by the owning thread.
    std::wstring Text() const;
    // GetWindowTextW: for another process's window the caption is read without asking
    // its thread, so it works while that thread is busy.
    std::wstring Caption() const;
    std::wstring ClassName() const;
    int Id() const;
    DWORD ProcessId() const;
    DWORD ThreadId() const;

    bool Visible() const;   // IsWindowVisible: this window and its parents
    bool Enabled() const;
    bool Iconic() const;
    bool Zoomed() const;
    LONG Style() const;
    LONG ExStyle() const;

    Box ScreenBox() const;        // window rectangle, screen coordinates
    Box ClientScreenBox() const;  // client area, screen coordinates
    Box BoxInParent() const;      // window rectangle in the parent's client coordinates

    Window Child(int id) const;   // throws when there is no such child
    Window Parent() const;

    // Messages. Send fails when the window does not answer within a few seconds.
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;
    void Post(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;

    // User actions.
    void SetText(const std::wstring& text) const;  // WM_SETTEXT
    void Click() const;                            // BM_CLICK, posted

    std::string Describe() const;  // for failure messages: class, id, caption

private:
    HWND hwnd_ = nullptr;
};

class Edit : public Window {
public:
    using Window::Window;
    explicit Edit(const Window& w) : Window(w.handle()) {}
    struct Selection {
        int start = 0, end = 0;
    };
    Selection GetSelection() const;  // EM_GETSEL
};

class ListBox : public Window {
public:
    using Window::Window;
    explicit ListBox(const Window& w) : Window(w.handle()) {}

    struct Row {
        std::wstring text;
        LONG data = 0;
        bool operator==(const Row& o) const { return text == o.text && data == o.data; }
    };
    int Count() const;
    std::wstring RowText(int index) const;  // LB_GETTEXT
    LONG RowData(int index) const;          // LB_GETITEMDATA
    std::vector<Row> Rows() const;
    int Selected() const;                   // LB_GETCURSEL, -1 for none
    void Select(int index) const;           // LB_SETCURSEL (no notification, as for a program)
    // A user's double-click on the row: mouse messages at the middle of the row.
    void DoubleClickRow(int index) const;
    // A double-click on the empty space below the last row (the list must not be full).
    void DoubleClickBelowRows() const;
};
std::string ToString(const std::vector<ListBox::Row>& rows);

// The top-level windows (hidden ones included) that belong to a process.
std::vector<Window> TopLevelWindows(DWORD processId);

// The window that has the keyboard focus on the given thread (GetGUIThreadInfo), or none.
Window FocusOf(DWORD threadId);

// Presses `button` of the modal window `modal` and waits until that window has gone
// (destroyed or hidden) and the keyboard focus has left it, so that keys pressed next
// reach the window below.
void PressAndWaitUntilClosed(const Window& modal, const Window& button, const std::string& what);

}  // namespace e2e
