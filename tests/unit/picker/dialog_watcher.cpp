#include "dialog_watcher.h"

#include <commctrl.h>

#include <chrono>

namespace picker_test {

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

struct Search {
    const wchar_t* className;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (lstrcmpiW(name, search->className) == 0 && (!search->caption || WindowText(window) == search->caption)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    ::EnumChildWindows(parent, &CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND FindThreadWindow(DWORD threadId, const wchar_t* className, const wchar_t* caption) {
    Search search{className, caption, nullptr};
    ::EnumThreadWindows(threadId, &MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DialogWatcher::DialogWatcher(DWORD threadId, WPARAM command, std::function<void(HWND)> inspect)
    : thread_([this, threadId, command, inspect] {
          const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
          while (!stop_ && std::chrono::steady_clock::now() < deadline) {
              HWND dialog = FindThreadWindow(threadId, L"#32770");
              if (dialog && ::IsWindowVisible(dialog)) {
                  seen_ = true;
                  // A dialog is shown once WM_INITDIALOG (and the browse callback's
                  // BFFM_INITIALIZED within it) has returned; the reply comes once its
                  // thread is in the dialog's message loop, so nothing is read half made.
                  DWORD_PTR ignored = 0;
                  ::SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_BLOCK, 60000, &ignored);
                  if (inspect) inspect(dialog);
                  if (command != 0) ::PostMessageW(dialog, WM_COMMAND, command, 0);
                  return;
              }
              ::Sleep(20);
          }
      }) {}

DialogWatcher::~DialogWatcher() { Finish(); }

bool DialogWatcher::Finish() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return seen_;
}

void PressKey(DWORD threadId, WPARAM key) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(threadId, &info);
    HWND target = info.hwndFocus ? info.hwndFocus : info.hwndActive;
    ::PostMessageW(target, WM_KEYDOWN, key, 1);
    ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

std::wstring SelectedTreeItem(HWND dialog) {
    for (HWND child : ChildWindows(dialog)) {
        wchar_t name[64] = {};
        ::GetClassNameW(child, name, 64);
        if (lstrcmpiW(name, WC_TREEVIEWW) != 0) continue;
        const auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(child, TVM_GETNEXTITEM, TVGN_CARET, 0));
        if (!item) return L"";
        wchar_t text[MAX_PATH] = {};
        TVITEMW query{};
        query.mask = TVIF_TEXT;
        query.hItem = item;
        query.pszText = text;
        query.cchTextMax = MAX_PATH;
        ::SendMessageW(child, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
        return text;
    }
    return L"";
}

}  // namespace picker_test
