#pragma once
// The texts of the delete run's confirmation and summary.
#include <windows.h>
#include <cstdint>
#include <string>
#include "file_removal.h"
#include "removal_judge.h"

// The question before a run; the directory stands in it exactly as given. Its
// warning says where the files go: gone for good, or (recycle) to the Recycle Bin.
// which narrows "the listed files" (OlderThanText); a log file is named last.
std::wstring ConfirmDeleteText(const std::wstring& directory, bool recycle = false, const std::wstring& which = {},
                               const std::wstring& logFile = {});

// " older than 30 days": what /OLDER adds after "files" in the run's texts.
std::wstring OlderThanText(int days);

// The summary after a completed run. deleted counts the files the run removed;
// notDeleted the matches still there afterwards, alreadyGone the matches that
// something else removed before the run came to them (each line only when > 0).
std::wstring SummaryText(int32_t deleted, int32_t directories, int32_t notDeleted, int32_t alreadyGone = 0,
                         const std::wstring& which = {});

// The summary after a preview: the files a run would delete.
std::wstring PreviewSummaryText(int32_t files, int32_t directories, const std::wstring& which = {});

// A size as Explorer shows one: bytes below 1 KB, then KB, MB, GB, TB with one decimal.
std::wstring SizeText(ULONGLONG bytes);
// "12.3 MB freed." (a preview: "12.3 MB would be freed.").
std::wstring FreedText(ULONGLONG bytes, bool preview);

// The log's line for a match the run removed, and for one it left and why.
std::wstring LogGoneLine(const std::wstring& path, bool recycle);
std::wstring LogLeftLine(const std::wstring& path, modMain::StayReason reason);
std::wstring LogLeftLine(const std::wstring& path, modMain::Removal said);
// The log's closing line: when, the command line, and how the run ended.
std::wstring LogClosingLine(const SYSTEMTIME& when, const std::wstring& commandLine, const std::wstring& ending);

// After a failure that ended the sweep: what it did until then.
std::wstring EndedEarlyText(bool preview, const std::wstring& summary);

// Standard output that could not be written, in the platform's words.
std::wstring OutputFailureText(DWORD code);

// The heading of the matches a run would leave for one reason:
// "2 matching files would stay (read-only)."
std::wstring PreviewStayText(modMain::StayReason reason, size_t count);
