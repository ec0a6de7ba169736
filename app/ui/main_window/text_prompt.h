#pragma once
// The program's one text input dialog: a title, a prompt line, one single-line
// field, OK (Enter) and Cancel (Esc, close box). Modal, centred on its owner.
#include <windows.h>
#include <string>

// The field's text on OK, "" on Cancel. The field starts with initial, selected.
// Throws win32::Error when the dialog cannot be created.
std::wstring ShowTextPrompt(HWND owner, const std::wstring& title, const std::wstring& prompt,
                            const std::wstring& initial);
