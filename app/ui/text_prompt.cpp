#include "text_prompt.h"
#include <algorithm>
#include "control_ids.h"
#include "resource_ids.h"
#include "win32_error.h"
#include "window_text.h"

namespace {

struct PromptState {
    const std::wstring& title;
    const std::wstring& prompt;
    const std::wstring& initial;
    std::wstring answer;
};

INT_PTR CALLBACK PromptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        auto* state = reinterpret_cast<PromptState*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SetWindowTextW(dialog, state->title.c_str());
        SetDlgItemTextW(dialog, IDC_PROMPT_LABEL, state->prompt.c_str());
        HWND field = GetDlgItem(dialog, IDC_PROMPT_EDIT);
        SetWindowTextW(field, state->initial.c_str());
        CentreWindowOn(dialog, GetWindow(dialog, GW_OWNER));
        SetFocus(field);
        SendMessageW(field, EM_SETSEL, 0, -1);
        return FALSE;   // the focus is set
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            auto* state = reinterpret_cast<PromptState*>(GetWindowLongPtrW(dialog, DWLP_USER));
            state->answer = DialogItemText(dialog, IDC_PROMPT_EDIT);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        case IDCANCEL:   // Cancel, Esc and the close box
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

std::wstring ShowTextPrompt(HWND owner, const std::wstring& title, const std::wstring& prompt,
                            const std::wstring& initial) {
    PromptState state{title, prompt, initial, {}};
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PROMPT),
                                           owner, PromptProc, reinterpret_cast<LPARAM>(&state));
    if (result == -1) modMain::ThrowLastError(L"");
    return result == IDOK ? state.answer : std::wstring();
}

void CentreWindowOn(HWND window, HWND over) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(over ? over : window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT target = monitor.rcMonitor;
    if (over && IsWindowVisible(over) && !IsIconic(over)) GetWindowRect(over, &target);

    const RECT& work = monitor.rcWork;
    const int left = std::max<int>(work.left, std::min<int>(target.left + (target.right - target.left - width) / 2,
                                                            work.right - width));
    const int top = std::max<int>(work.top, std::min<int>(target.top + (target.bottom - target.top - height) / 2,
                                                          work.bottom - height));
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
