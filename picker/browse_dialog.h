// The routine behind Browse: the shell's folder dialog, run modally on the
// calling thread with the thread's PickerState as its input and its output.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace tollen::Module1 {

// Prompt followed by 255 spaces.
std::wstring BrowseTitle(const std::wstring& prompt);

// Initial exactly as stored when its space-trimmed form is not empty, else " ",
// which names no folder, so the dialog keeps its default selection.
std::wstring InitialSelectionText(const std::wstring& initial);

// Pre-selects the folder named by applicationValue (an ANSI path) once the
// dialog exists; every other message is left to the shell. Always 0.
int CALLBACK BrowseCallbackProc(HWND dialog, UINT message, LPARAM parameter, LPARAM applicationValue);

// Hands back the callback's address for the browse record's lpfn field.
BFFCALLBACK CallbackAddress(BFFCALLBACK address) noexcept;

// Runs the dialog owned by owner (may be null). True and Selected := the
// chosen path when a folder was confirmed; False with Selected untouched when
// cancelled. Canceled is set either way. Throws ComError before touching
// PickerState when the text cannot be converted.
bool BrowseForDirectory(HWND owner);

}  // namespace tollen::Module1
