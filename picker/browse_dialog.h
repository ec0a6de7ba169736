// The routine behind Browse: the shell's folder dialog, run modally on the
// calling thread with the thread's PickerState as its input and its output.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace tollen::Module1 {

// Initial exactly as stored when its space-trimmed form is not empty, else " ",
// which names no folder, so the dialog keeps its default selection.
std::wstring InitialSelectionText(const std::wstring& initial);

// The folder the dialog is to open on, shared with the callback through the
// browse record's lParam for as long as the dialog runs.
struct InitialSelection {
    const char* path = nullptr;      // ANSI, as BFFM_SETSELECTIONA takes it
    bool selectionReported = false;  // a BFFM_SELCHANGED arrived since the last request
};

// Asks the dialog to select selection.path; when the dialog reports no new
// selection while handling that request, asks once more. Wine's dialog fails
// the first request for a folder below one that has changed since it was
// last read: it matches the path against its tree byte by byte, times of last
// access included, and its own parsing of the path reads those folders and so
// moves their access times after taking them. The second request parses the
// path anew and meets the times the tree took. No third: the tree keeps what
// it took, so a folder that changes again in between fails every request.
void SelectInitialFolder(HWND dialog, InitialSelection& selection);

// applicationValue is the InitialSelection. Selects its folder once the
// dialog exists and notes each selection the dialog reports; every other
// message is left to the shell. Always 0.
int CALLBACK BrowseCallbackProc(HWND dialog, UINT message, LPARAM parameter, LPARAM applicationValue);

// Hands back the callback's address for the browse record's lpfn field.
BFFCALLBACK CallbackAddress(BFFCALLBACK address) noexcept;

// Runs the dialog owned by owner (may be null). True and Selected := the
// chosen path when a folder was confirmed; False with Selected untouched when
// cancelled. Canceled is set either way. Throws win32::Error before touching
// PickerState when the text cannot be converted.
bool BrowseForDirectory(HWND owner);

}  // namespace tollen::Module1
