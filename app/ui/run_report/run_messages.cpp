#include "run_report/run_messages.h"

#include <cwchar>
#include <iterator>
#include "error.h"
#include "system_message.h"

namespace {

// Why a match stays, in the words of a preview's headings and the log's lines.
const wchar_t* StayReasonWords(modMain::StayReason reason) {
    switch (reason) {
    case modMain::StayReason::None: break;
    case modMain::StayReason::ReadOnly: return L"read-only";
    case modMain::StayReason::Link: return L"symbolic links";
    case modMain::StayReason::UnusableName: return L"names the system cannot delete";
    case modMain::StayReason::NotForRecycleBin: return L"names or paths the Recycle Bin cannot take";
    }
    return L"";
}

}  // namespace

std::wstring ConfirmDeleteText(const std::wstring& directory, bool recycle, const std::wstring& which,
                              const std::wstring& logFile) {
    std::wstring text =
        L"Are you sure you wish to delete the listed files" + which + L" starting from " + directory + L"?" +
        L"\r\n\r\n" +
        (recycle ? L"The files will be moved to the Recycle Bin; they can be restored from there."
                 : L"WARNING: This can NOT be undone and will recursively delete the listed files in ALL "
                   L"subdirectories.");
    if (!logFile.empty()) text += L"\r\n\r\nWhat the run does is written to the log " + logFile + L".";
    return text;
}

std::wstring OlderThanText(int days) { return L" older than " + std::to_wstring(days) + L" days"; }

std::wstring SummaryText(int32_t deleted, int32_t directories, int32_t notDeleted, int32_t alreadyGone,
                         const std::wstring& which) {
    std::wstring text = std::to_wstring(deleted) + L" total files" + which + L" deleted in " +
                        std::to_wstring(directories) + L" directories.";
    if (notDeleted > 0) text += L"\r\n\r\n" + std::to_wstring(notDeleted) + L" matching files could not be deleted.";
    if (alreadyGone > 0) text += L"\r\n\r\n" + std::to_wstring(alreadyGone) + L" matching files were already gone.";
    return text;
}

std::wstring PreviewSummaryText(int32_t files, int32_t directories, const std::wstring& which) {
    return std::to_wstring(files) + L" files" + which + L" would be deleted in " + std::to_wstring(directories) +
           L" directories.";
}

std::wstring SizeText(ULONGLONG bytes) {
    if (bytes < 1024) return std::to_wstring(bytes) + (bytes == 1 ? L" byte" : L" bytes");
    static constexpr const wchar_t* kUnits[] = {L"KB", L"MB", L"GB", L"TB"};
    double size = static_cast<double>(bytes) / 1024;
    size_t unit = 0;
    // 1023.96 KB would round to "1024.0 KB": that is 1.0 MB.
    while (unit + 1 < std::size(kUnits) && size >= 1023.95) {
        size /= 1024;
        ++unit;
    }
    wchar_t text[32];
    swprintf(text, std::size(text), L"%.1f %ls", size, kUnits[unit]);
    return text;
}

std::wstring FreedText(ULONGLONG bytes, bool preview) {
    return SizeText(bytes) + (preview ? L" would be freed." : L" freed.");
}

std::wstring LogGoneLine(const std::wstring& path, bool recycle) {
    return (recycle ? L"Recycled: " : L"Deleted: ") + path;
}

std::wstring LogLeftLine(const std::wstring& path, modMain::StayReason reason) {
    return L"Left: " + path + L" (" + StayReasonWords(reason) + L")";
}

std::wstring LogLeftLine(const std::wstring& path, modMain::Removal said) {
    const wchar_t* why = said == modMain::Removal::Held      ? L"(in use by another program)"
                         : said == modMain::Removal::Deleted ? L"(still there after its deletion was accepted)"
                                                             : L"(could not be deleted)";
    return L"Left: " + path + L" " + why;
}

std::wstring LogClosingLine(const SYSTEMTIME& when, const std::wstring& commandLine, const std::wstring& ending) {
    wchar_t stamp[32];
    swprintf(stamp, std::size(stamp), L"%04u-%02u-%02u %02u:%02u:%02u", when.wYear, when.wMonth, when.wDay,
             when.wHour, when.wMinute, when.wSecond);
    std::wstring line = std::wstring(stamp) + L" " + commandLine + L": " + ending;
    // One line: the summary's paragraphs become sentences side by side.
    for (size_t at = line.find(L"\r\n"); at != std::wstring::npos; at = line.find(L"\r\n", at)) {
        size_t end = at;
        while (end < line.size() && (line[end] == L'\r' || line[end] == L'\n')) ++end;
        line.replace(at, end - at, L" ");
    }
    return line;
}

std::wstring EndedEarlyText(bool preview, const std::wstring& summary) {
    return (preview ? L"The preview ended on a failure. So far: " : L"The delete run ended on a failure. So far: ") +
           summary;
}

std::wstring OutputFailureText(DWORD code) {
    return L"The standard output could not be written: " + win32::SystemMessage(code);
}

std::wstring PreviewStayText(modMain::StayReason reason, size_t count) {
    return std::to_wstring(count) + L" matching files would stay (" + StayReasonWords(reason) + L").";
}
