#include "message_box.h"

#include <algorithm>

#include "harness_error.h"
#include "wait.h"

namespace e2e {

namespace {

constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 0x0440;  // the icon static of the system's message box template

// 32 x 32 pixels drawn from `source` (a screen DC or a memory DC) starting at (x, y).
std::vector<COLORREF> Pixels(HDC source, int x, int y, int size) {
    std::vector<COLORREF> out;
    out.reserve(static_cast<size_t>(size * size));
    for (int row = 0; row < size; ++row)
        for (int col = 0; col < size; ++col) out.push_back(GetPixel(source, x + col, y + row));
    return out;
}

std::vector<COLORREF> SystemIconPixels(LPCWSTR which, COLORREF background, int size) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all{0, 0, size, size};
    FillRect(memory, &all, brush);
    DrawIconEx(memory, 0, 0, LoadIconW(nullptr, which), size, size, 0, nullptr, DI_NORMAL);
    auto pixels = Pixels(memory, 0, 0, size);
    SelectObject(memory, old);
    DeleteObject(brush);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

}  // namespace

std::string ToString(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::None: return "no symbol";
    case MessageIcon::Question: return "question mark";
    case MessageIcon::Information: return "information";
    case MessageIcon::Warning: return "warning";
    case MessageIcon::Error: return "error";
    case MessageIcon::Unknown: break;
    }
    return "unrecognised symbol";
}

std::wstring MessageBoxView::Title() const { return box_.Text(); }

std::wstring MessageBoxView::Text() const {
    HWND text = GetDlgItem(box_.handle(), kTextId);
    return text ? Window(text).Text() : std::wstring();
}

std::vector<int> MessageBoxView::Buttons() const {
    std::vector<int> ids;
    for (int id = IDOK; id <= IDNO; ++id) {
        HWND button = GetDlgItem(box_.handle(), id);
        if (button && IsWindowVisible(button)) ids.push_back(id);
    }
    return ids;
}

int MessageBoxView::DefaultButton() const {
    for (int id : Buttons())
        if ((GetWindowLongW(GetDlgItem(box_.handle(), id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return id;
    return 0;
}

MessageIcon MessageBoxView::Icon() const {
    HWND iconControl = GetDlgItem(box_.handle(), kIconId);
    if (!iconControl || !IsWindowVisible(iconControl)) return MessageIcon::None;
    const int size = GetSystemMetrics(SM_CXICON);
    Box at = Window(iconControl).ClientScreenBox();
    const std::pair<LPCWSTR, MessageIcon> candidates[] = {
        {IDI_QUESTION, MessageIcon::Question},
        {IDI_INFORMATION, MessageIcon::Information},
        {IDI_WARNING, MessageIcon::Warning},
        {IDI_ERROR, MessageIcon::Error},
    };
    // The box may not have painted yet: look again for a while before giving up.
    MessageIcon found = MessageIcon::Unknown;
    try {
        WaitUntil(
            [&] {
                HDC screen = GetDC(nullptr);
                auto shown = Pixels(screen, at.left, at.top, size);
                ReleaseDC(nullptr, screen);
                for (const auto& [which, icon] : candidates) {
                    if (SystemIconPixels(which, shown.front(), size) == shown) {
                        found = icon;
                        return true;
                    }
                }
                return false;
            },
            "the message box's symbol to be painted", 3000);
    } catch (const HarnessError&) {
    }
    return found;
}

void MessageBoxView::Answer(int buttonId) const {
    HWND button = GetDlgItem(box_.handle(), buttonId);
    if (!button || !IsWindowVisible(button))
        Fail("message box \"" + Utf8(Title()) + "\" has no button " + std::to_string(buttonId));
    std::string what = "message box \"" + Utf8(Title()) + "\" to close after pressing button " +
                       std::to_string(buttonId);
    Window(button).Click();
    WaitUntil([&] { return !box_.Exists() || !box_.Visible(); }, what);
}

std::vector<MessageBoxView> MessageBoxesOf(DWORD processId) {
    std::vector<MessageBoxView> boxes;
    for (const Window& w : TopLevelWindows(processId))
        if (w.ClassName() == L"#32770" && w.Visible() && GetDlgItem(w.handle(), kTextId))
            boxes.emplace_back(w);
    return boxes;
}

}  // namespace e2e
