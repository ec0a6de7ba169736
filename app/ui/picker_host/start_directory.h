#pragma once
// The browse behind cmdBrowse: the folder dialog of Pathwick1, opened on the
// starting-directory field's text.
#include <optional>
#include <string>
#include "picker_host/pathwick_client.h"

inline constexpr wchar_t kBrowsePrompt[] = L"Choose the directory to start deleting files from:";

// Sets the prompt and the field's text (unchanged) as the dialog's start, runs
// the dialog, and gives the chosen directory as the control reports it, or
// nothing when the dialog was cancelled. Throws win32::Error.
std::optional<std::wstring> BrowseForStartDirectory(PathwickClient& picker,
                                                    const std::wstring& fieldText);
