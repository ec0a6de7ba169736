#include "keyboard.h"

#include <cwctype>

#include "harness_error.h"

namespace e2e {

namespace {

constexpr LPARAM kAltDown = 1 << 29;
constexpr LPARAM kKeyUp = (1u << 30) | (1u << 31);

Window KeyTarget(const Window& window) {
    Window focus = FocusOf(window.ThreadId());
    return focus ? focus : window;
}

LPARAM KeyData(UINT virtualKey) {
    return 1 | (static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16);
}

}  // namespace

void PressKey(const Window& window, UINT virtualKey) {
    Window target = KeyTarget(window);
    target.Post(WM_KEYDOWN, virtualKey, KeyData(virtualKey));
    // The key going down may already have closed the window (Esc, Enter): its key
    // up then has nowhere to go, which is no failure.
    if (!PostMessageW(target.handle(), WM_KEYUP, virtualKey, KeyData(virtualKey) | kKeyUp) && target.Exists())
        Fail("PostMessage to " + target.Describe(), true);
}

void TypeChar(const Window& window, wchar_t character) {
    auto key = static_cast<UINT>(std::towupper(character));
    KeyTarget(window).Post(WM_CHAR, static_cast<WPARAM>(character), KeyData(key));
}

void PressAltKey(const Window& window, wchar_t letter) {
    Window target = KeyTarget(window);
    auto key = static_cast<UINT>(std::towupper(letter));
    // The character a translated Alt+letter produces: what the dialog manager matches
    // against the "&" marks of the captions.
    target.Post(WM_SYSCHAR, static_cast<WPARAM>(std::towlower(letter)), KeyData(key) | kAltDown);
    // As with PressKey: the letter may have ended the program (Alt+C) before its key up.
    if (!PostMessageW(target.handle(), WM_SYSKEYUP, key, KeyData(key) | kAltDown | kKeyUp) && target.Exists())
        Fail("PostMessage to " + target.Describe(), true);
}

}  // namespace e2e
