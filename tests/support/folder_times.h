#pragma once
// Folder times the folder dialog tests need: a folder as a user who has not opened
// it since it changed leaves it, so that the dialog's own read moves its access time.
#include <windows.h>

#include <string>

namespace test_support {

// Sets the folder's last-access time an hour back, before its last change.
// ERROR_SUCCESS, or the error of the call that failed.
DWORD SetLastReadAnHourAgo(const std::wstring& path);

}  // namespace test_support
