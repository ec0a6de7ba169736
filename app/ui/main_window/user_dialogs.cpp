#include "main_window/user_dialogs.h"
#include "main_window/text_prompt.h"

int WindowDialogs::Ask(const std::wstring& text, const std::wstring& title, UINT type) {
    return MessageBoxW(owner_, text.c_str(), title.c_str(), type);
}

std::wstring WindowDialogs::Prompt(const std::wstring& title, const std::wstring& prompt,
                                   const std::wstring& initial) {
    return ShowTextPrompt(owner_, title, prompt, initial);
}
