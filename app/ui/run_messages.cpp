#include "run_messages.h"
#include "error.h"
#include "system_message.h"

std::wstring ConfirmDeleteText(const std::wstring& directory, bool recycle) {
    return L"Are you sure you wish to delete the listed files starting from " + directory + L"?" +
           L"\r\n\r\n" +
           (recycle ? L"The files will be moved to the Recycle Bin; they can be restored from there."
                    : L"WARNING: This can NOT be undone and will recursively delete the listed files in ALL "
                      L"subdirectories.");
}

std::wstring SummaryText(int32_t deleted, int32_t directories, int32_t notDeleted, int32_t alreadyGone) {
    std::wstring text = std::to_wstring(deleted) + L" total files deleted in " + std::to_wstring(directories) +
                        L" directories.";
    if (notDeleted > 0) text += L"\r\n\r\n" + std::to_wstring(notDeleted) + L" matching files could not be deleted.";
    if (alreadyGone > 0) text += L"\r\n\r\n" + std::to_wstring(alreadyGone) + L" matching files were already gone.";
    return text;
}

std::wstring PreviewSummaryText(int32_t files, int32_t directories) {
    return std::to_wstring(files) + L" files would be deleted in " + std::to_wstring(directories) + L" directories.";
}

std::wstring EndedEarlyText(bool preview, const std::wstring& summary) {
    return (preview ? L"The preview ended on a failure. So far: " : L"The delete run ended on a failure. So far: ") +
           summary;
}

std::wstring OutputFailureText(DWORD code) {
    return L"The standard output could not be written: " + win32::SystemMessage(code);
}

std::wstring PreviewStayText(modMain::StayReason reason, size_t count) {
    const wchar_t* why = L"";
    switch (reason) {
    case modMain::StayReason::None: break;
    case modMain::StayReason::ReadOnly: why = L"read-only"; break;
    case modMain::StayReason::Link: why = L"symbolic links"; break;
    case modMain::StayReason::UnusableName: why = L"names the system cannot delete"; break;
    case modMain::StayReason::NotForRecycleBin: why = L"names or paths the Recycle Bin cannot take"; break;
    }
    return std::to_wstring(count) + L" matching files would stay (" + why + L").";
}
