#include "child_controls.h"

#include <algorithm>
#include <string>

#include "device_context.h"
#include "error.h"
#include "window_text.h"

namespace win32 {

HWND CreateChildControl(HWND parent, const ChildControl& control, HFONT font, Dpi dpi) {
    const RECT at = TwipsToPixels(control.place, dpi);
    HWND child = ::CreateWindowExW(control.exStyle, control.windowClass, control.text,
                                   WS_CHILD | WS_VISIBLE | control.style, at.left, at.top, at.right - at.left,
                                   at.bottom - at.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                   reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                                   nullptr);
    if (!child) ThrowLastError(control.windowClass);
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

void WidenToText(HWND label, int right) {
    const std::wstring text = WindowText(label);
    const UINT prefix = (::GetWindowLongW(label, GWL_STYLE) & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    RECT needed{};
    {
        const WindowDC dc = DcOf(label);
        if (!dc) return;
        const auto font = reinterpret_cast<HGDIOBJ>(::SendMessageW(label, WM_GETFONT, 0, 0));
        const Selection selected = Select(dc.get().handle, font);
        ::DrawTextW(dc.get().handle, text.c_str(), static_cast<int>(text.size()), &needed,
                    DT_CALCRECT | DT_SINGLELINE | prefix);
    }
    RECT box{};
    ::GetWindowRect(label, &box);
    ::MapWindowPoints(nullptr, ::GetParent(label), reinterpret_cast<POINT*>(&box), 2);
    const long long room = static_cast<long long>(right) - box.left;
    const int width = static_cast<int>(std::min<long long>(std::max(box.right - box.left, needed.right), room));
    if (width != box.right - box.left)
        ::SetWindowPos(label, nullptr, 0, 0, width, box.bottom - box.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceChildControl(HWND parent, int id, TwipsRect place, Dpi dpi) {
    const RECT at = TwipsToPixels(place, dpi);
    ::SetWindowPos(::GetDlgItem(parent, id), nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace win32
