#include "long_path.h"

#include <windows.h>
#include "sized_text.h"
#include "error.h"

namespace modMain {
namespace {

constexpr std::wstring_view kExtended = L"\\\\?\\";
constexpr std::wstring_view kExtendedUnc = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevice = L"\\\\.\\";

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Drops trailing separators, keeping the one of a drive root ("C:\").
void TrimTrailingSlashes(std::wstring& path) {
    while (path.size() > 1 && path.back() == L'\\' && path[path.size() - 2] != L':') path.pop_back();
}

}  // namespace

std::wstring FullPath(const std::wstring& path) {
    const std::wstring full = win32::WholeText(
        [&path](wchar_t* buffer, DWORD size) { return ::GetFullPathNameW(path.c_str(), size, buffer, nullptr); },
        MAX_PATH);
    if (full.empty()) {
        const DWORD code = ::GetLastError();
        throw win32::Error::FromWin32(code != ERROR_SUCCESS ? code : ERROR_INVALID_NAME, path);
    }
    return full;
}

std::wstring ExtendedPath(const std::wstring& fullPath) {
    std::wstring extended;
    if (StartsWith(fullPath, kExtended) || StartsWith(fullPath, kDevice))
        extended = fullPath;
    else if (StartsWith(fullPath, L"\\\\"))
        extended = std::wstring(kExtendedUnc) + fullPath.substr(2);
    else
        extended = std::wstring(kExtended) + fullPath;
    TrimTrailingSlashes(extended);
    return extended;
}

std::wstring DisplayPath(const std::wstring& fullPath) {
    std::wstring shown;
    if (StartsWith(fullPath, kExtendedUnc))
        shown = L"\\\\" + fullPath.substr(kExtendedUnc.size());
    else if (StartsWith(fullPath, kExtended))
        shown = fullPath.substr(kExtended.size());
    else
        shown = fullPath;
    TrimTrailingSlashes(shown);
    return shown;
}

std::wstring PathForFileApi(const std::wstring& path) { return ExtendedPath(FullPath(path)); }

}  // namespace modMain
