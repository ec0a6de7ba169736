#include "folder_times.h"

namespace test_support {

DWORD SetLastReadAnHourAgo(const std::wstring& path) {
    HANDLE folder = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return ::GetLastError();
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{};
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart -= 3600ULL * 10000000ULL;  // FILETIME counts 100 ns steps
    const FILETIME hourAgo{time.LowPart, time.HighPart};
    const DWORD result = ::SetFileTime(folder, nullptr, &hourAgo, nullptr) ? ERROR_SUCCESS : ::GetLastError();
    ::CloseHandle(folder);
    return result;
}

}  // namespace test_support
