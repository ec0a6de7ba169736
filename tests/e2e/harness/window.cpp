#include "window.h"

#include <sstream>

#include "harness_error.h"
#include "wait.h"

namespace e2e {

namespace {

constexpr UINT kAnswerMs = 5000;

Box BoxOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

}  // namespace

std::string ToString(const Box& b) {
    std::ostringstream s;
    s << "{left " << b.left << ", top " << b.top << ", width " << b.width << ", height " << b.height
      << "}";
    return s.str();
}

std::wstring Window::Text() const {
    auto length = static_cast<size_t>(Send(WM_GETTEXTLENGTH));
    std::wstring text(length + 1, L'\0');
    auto copied = static_cast<size_t>(
        Send(WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied < length ? copied : length);
    return text;
}

std::wstring Window::Caption() const {
    wchar_t buffer[1024] = {};
    GetWindowTextW(hwnd_, buffer, static_cast<int>(std::size(buffer)));
    return buffer;
}

std::wstring Window::ClassName() const {
    wchar_t buffer[256] = {};
    GetClassNameW(hwnd_, buffer, static_cast<int>(std::size(buffer)));
    return buffer;
}

int Window::Id() const { return GetDlgCtrlID(hwnd_); }

DWORD Window::ProcessId() const {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd_, &pid);
    return pid;
}

DWORD Window::ThreadId() const { return GetWindowThreadProcessId(hwnd_, nullptr); }

bool Window::Visible() const { return IsWindowVisible(hwnd_) != FALSE; }
bool Window::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
bool Window::Iconic() const { return IsIconic(hwnd_) != FALSE; }
bool Window::Zoomed() const { return IsZoomed(hwnd_) != FALSE; }
LONG Window::Style() const { return GetWindowLongW(hwnd_, GWL_STYLE); }
LONG Window::ExStyle() const { return GetWindowLongW(hwnd_, GWL_EXSTYLE); }

Box Window::ScreenBox() const {
    RECT r{};
    if (!GetWindowRect(hwnd_, &r)) Fail("GetWindowRect of " + Describe(), true);
    return BoxOf(r);
}

Box Window::ClientScreenBox() const {
    RECT r{};
    if (!GetClientRect(hwnd_, &r)) Fail("GetClientRect of " + Describe(), true);
    POINT origin{0, 0};
    ClientToScreen(hwnd_, &origin);
    return {origin.x, origin.y, r.right - r.left, r.bottom - r.top};
}

Box Window::BoxInParent() const {
    RECT r{};
    if (!GetWindowRect(hwnd_, &r)) Fail("GetWindowRect of " + Describe(), true);
    MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    return BoxOf(r);
}

Window Window::Child(int id) const {
    HWND child = GetDlgItem(hwnd_, id);
    if (!child) Fail("no control with id " + std::to_string(id) + " in " + Describe());
    return Window(child);
}

Window Window::Parent() const { return Window(GetParent(hwnd_)); }

LRESULT Window::Send(UINT msg, WPARAM wp, LPARAM lp) const {
    DWORD_PTR result = 0;
    // Wine's SendMessageTimeoutW can return the message's own result, so a zero return
    // with no error set is an answer of zero, not a failure.
    SetLastError(0);
    if (!SendMessageTimeoutW(hwnd_, msg, wp, lp, SMTO_NORMAL, kAnswerMs, &result) &&
        GetLastError() != 0)
        Fail("message 0x" + [&] {
            std::ostringstream s;
            s << std::hex << msg;
            return s.str();
        }() + " to " + Describe() + " was not answered", true);
    return static_cast<LRESULT>(result);
}

void Window::Post(UINT msg, WPARAM wp, LPARAM lp) const {
    if (!PostMessageW(hwnd_, msg, wp, lp)) Fail("PostMessage to " + Describe(), true);
}

void Window::SetText(const std::wstring& text) const {
    Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Window::Click() const { Post(BM_CLICK); }

std::string Window::Describe() const {
    if (!hwnd_) return "(no window)";
    if (!IsWindow(hwnd_)) return "(a window that no longer exists)";
    std::ostringstream s;
    s << Utf8(ClassName()) << " id " << Id() << " \"" << Utf8(Caption()) << "\"";
    return s.str();
}

Edit::Selection Edit::GetSelection() const {
    // Both positions come back in the result; no pointers cross the process boundary.
    auto packed = static_cast<DWORD>(Send(EM_GETSEL));
    return {LOWORD(packed), HIWORD(packed)};
}

int ListBox::Count() const { return static_cast<int>(Send(LB_GETCOUNT)); }

std::wstring ListBox::RowText(int index) const {
    LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length == LB_ERR) Fail("no row " + std::to_string(index) + " in " + Describe());
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

LONG ListBox::RowData(int index) const {
    return static_cast<LONG>(Send(LB_GETITEMDATA, static_cast<WPARAM>(index)));
}

std::vector<ListBox::Row> ListBox::Rows() const {
    std::vector<Row> rows;
    int n = Count();
    for (int i = 0; i < n; ++i) rows.push_back({RowText(i), RowData(i)});
    return rows;
}

int ListBox::Selected() const { return static_cast<int>(Send(LB_GETCURSEL)); }

void ListBox::Select(int index) const { Send(LB_SETCURSEL, static_cast<WPARAM>(index)); }

namespace {

// The mouse messages of a double-click at a point of the window's client area.
void DoubleClickAt(const Window& w, int x, int y) {
    LPARAM at = MAKELPARAM(x, y);
    w.Post(WM_LBUTTONDOWN, MK_LBUTTON, at);
    w.Post(WM_LBUTTONUP, 0, at);
    w.Post(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    w.Post(WM_LBUTTONUP, 0, at);
}

}  // namespace

void ListBox::DoubleClickRow(int index) const {
    if (index < 0 || index >= Count())
        Fail("no row " + std::to_string(index) + " to double-click in " + Describe());
    int height = static_cast<int>(Send(LB_GETITEMHEIGHT, static_cast<WPARAM>(index)));
    RECT client{};
    GetClientRect(handle(), &client);
    int top = static_cast<int>(Send(LB_GETTOPINDEX));
    if (index < top || (index - top + 1) * height > client.bottom) {
        Send(LB_SETTOPINDEX, static_cast<WPARAM>(index));  // scrolled into view, as a user would
        top = static_cast<int>(Send(LB_GETTOPINDEX));
    }
    DoubleClickAt(*this, 5, (index - top) * height + height / 2);
}

void ListBox::DoubleClickBelowRows() const {
    int rows = Count() - static_cast<int>(Send(LB_GETTOPINDEX));
    int height = static_cast<int>(Send(LB_GETITEMHEIGHT));
    RECT client{};
    GetClientRect(handle(), &client);
    int y = rows * height + height / 2;
    if (y >= client.bottom) Fail("no empty space below the rows of " + Describe());
    DoubleClickAt(*this, 5, y);
}

std::string ToString(const std::vector<ListBox::Row>& rows) {
    std::ostringstream s;
    s << "[";
    for (size_t i = 0; i < rows.size(); ++i)
        s << (i ? ", " : "") << "\"" << Utf8(rows[i].text) << "\"=" << rows[i].data;
    s << "]";
    return s.str();
}

namespace {

struct WindowSearch {
    DWORD pid;
    std::vector<Window> found;
};

BOOL CALLBACK CollectWindowOfProcess(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<WindowSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid) search->found.emplace_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<Window> TopLevelWindows(DWORD processId) {
    WindowSearch search{processId, {}};
    EnumWindows(CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PressAndWaitUntilClosed(const Window& modal, const Window& button, const std::string& what) {
    const DWORD thread = modal.ThreadId();
    button.Click();
    WaitUntil(
        [&] {
            if (modal.Exists() && modal.Visible()) return false;
            HWND focus = FocusOf(thread).handle();
            return !focus || (focus != modal.handle() && !IsChild(modal.handle(), focus));
        },
        what);
}

Window FocusOf(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(threadId, &info)) return Window();
    return Window(info.hwndFocus);
}

}  // namespace e2e
