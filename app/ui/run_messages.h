#pragma once
// The texts of the delete run's confirmation and summary.
#include <windows.h>
#include <cstdint>
#include <string>
#include "removal_judge.h"

// The question before a run; the directory stands in it exactly as given. Its
// warning says where the files go: gone for good, or (recycle) to the Recycle Bin.
std::wstring ConfirmDeleteText(const std::wstring& directory, bool recycle = false);

// The summary after a completed run. deleted counts the files the run removed;
// notDeleted the matches still there afterwards, alreadyGone the matches that
// something else removed before the run came to them (each line only when > 0).
std::wstring SummaryText(int32_t deleted, int32_t directories, int32_t notDeleted, int32_t alreadyGone = 0);

// The summary after a preview: the files a run would delete.
std::wstring PreviewSummaryText(int32_t files, int32_t directories);

// After a failure that ended the sweep: what it did until then.
std::wstring EndedEarlyText(bool preview, const std::wstring& summary);

// Standard output that could not be written, in the platform's words.
std::wstring OutputFailureText(DWORD code);

// The heading of the matches a run would leave for one reason:
// "2 matching files would stay (read-only)."
std::wstring PreviewStayText(modMain::StayReason reason, size_t count);
