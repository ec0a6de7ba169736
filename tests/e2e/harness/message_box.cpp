#include "message_box.h"

#include <algorithm>

#include "harness_error.h"
#include "screen_pixels.h"
#include "wait.h"

namespace e2e {

namespace {

constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 0x0440;  // the icon static of the system's message box template

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
    Box client = Window(iconControl).ClientScreenBox();
    Box area{client.left, client.top, size, size};
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
                Pixels shown = CaptureScreen(area);
                for (const auto& [which, icon] : candidates) {
                    Pixels drawn = Render(size, size, shown.at(0, 0), [&](HDC dc) {
                        DrawIconEx(dc, 0, 0, LoadIconW(nullptr, which), size, size, 0, nullptr,
                                   DI_NORMAL);
                    });
                    if (drawn == shown) {
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
    PressAndWaitUntilClosed(box_, Window(button),
                            "message box \"" + Utf8(Title()) + "\" to close after pressing button " +
                                std::to_string(buttonId));
}

std::vector<MessageBoxView> MessageBoxesOf(DWORD processId) {
    std::vector<MessageBoxView> boxes;
    for (const Window& w : TopLevelWindows(processId))
        if (w.ClassName() == L"#32770" && w.Visible() && GetDlgItem(w.handle(), kTextId))
            boxes.emplace_back(w);
    return boxes;
}

}  // namespace e2e
