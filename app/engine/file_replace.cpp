#include "file_replace.h"

#include <windows.h>
#include <algorithm>
#include "command_line.h"
#include "long_path.h"
#include "handle_owners.h"
#include "error.h"

namespace modMain {
namespace {

// A new, empty file beside target that no one else is using.
win32::FileHandle CreateSibling(const std::wstring& target, DWORD attributes, std::wstring& created) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = target + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) +
                  L".new";
        win32::FileHandle file(::CreateFileW(created.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             attributes, nullptr));
        if (file || ::GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return win32::FileHandle();
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

void ReplaceFileContents(const std::wstring& target, std::string_view bytes) {
    const std::wstring finalName = PathForFileApi(target);
    // The old file's hidden and system marks carry over; a read-only one is
    // refused as writing into it would be, whatever the platform's move allows.
    DWORD attributes = ::GetFileAttributesW(finalName.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        attributes = FILE_ATTRIBUTE_NORMAL;
    } else if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) {
        throw win32::Error::FromWin32(ERROR_ACCESS_DENIED, target);
    } else {
        attributes &= FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
        if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
    }
    std::wstring temporary;
    win32::FileHandle file = CreateSibling(finalName, attributes, temporary);
    if (!file) win32::ThrowLastError(target);

    const bool written = WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get());
    DWORD code = written ? ERROR_SUCCESS : ::GetLastError();
    file.reset();
    if (written && !::MoveFileExW(temporary.c_str(), finalName.c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        code = ::GetLastError();
    if (code != ERROR_SUCCESS) {
        ::DeleteFileW(temporary.c_str());
        throw win32::Error::FromWin32(code, target);
    }
}

}  // namespace modMain
