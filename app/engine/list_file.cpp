// The list file's text rules and its reading and writing.
#include <windows.h>
#include "file_replace.h"
#include "long_path.h"
#include "pattern_list.h"
#include "text_case.h"
#include "handle_owners.h"
#include "error.h"

namespace modMain {
namespace {

std::wstring Widen(std::string_view bytes, UINT codePage) {
    if (bytes.empty()) return {};
    const int size = ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (size == 0) win32::ThrowLastError();
    std::wstring text(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

// One pattern in the code page, refused (ERROR_NO_UNICODE_TRANSLATION) when a
// character has no exact counterpart there: a "?" in its place would widen it.
std::string Narrow(const std::wstring& text, UINT codePage) {
    if (text.empty()) return {};
    const UINT page = codePage == CP_ACP ? ::GetACP() : codePage;
    const bool utf = page == CP_UTF8 || page == CP_UTF7;
    const DWORD flags = page == CP_UTF8 ? WC_ERR_INVALID_CHARS : utf ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf ? nullptr : &usedDefault;
    const int length = static_cast<int>(text.size());
    const int size = ::WideCharToMultiByte(page, flags, text.data(), length, nullptr, 0, nullptr, usedDefaultOut);
    if (size == 0) {
        const DWORD code = ::GetLastError();
        throw win32::Error::FromWin32(code == ERROR_SUCCESS ? ERROR_NO_UNICODE_TRANSLATION : code, text);
    }
    if (usedDefault) throw win32::Error::FromWin32(ERROR_NO_UNICODE_TRANSLATION, text);
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(page, flags, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::string ReadWholeFile(const std::wstring& fileName) {
    win32::FileHandle file(::CreateFileW(PathForFileApi(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) win32::ThrowLastError(fileName);
    std::string bytes;
    char chunk[64 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr)) win32::ThrowLastError(fileName);
        if (read == 0) return bytes;
        bytes.append(chunk, read);
    }
}

}  // namespace

FileCollection ParseList(std::string_view bytes, UINT codePage) {
    const std::wstring text = Widen(bytes, codePage);
    const std::wstring_view all = text;
    FileCollection list;
    int32_t key = 0;
    size_t position = 0;
    while (position < all.size()) {
        // A CR ends a line, and takes a directly following LF with it; a lone LF is text.
        const size_t cr = all.find(L'\r', position);
        const size_t end = cr == std::wstring_view::npos ? all.size() : cr;
        const std::wstring_view line = TrimSpaces(all.substr(position, end - position));
        position = end + 1;
        if (cr != std::wstring_view::npos && position < all.size() && all[position] == L'\n') ++position;
        if (line.empty() || line.front() == L'>') continue;
        ++key;
        list.Add(cFileItem{std::wstring(line), key}, FileCollection::KeyText(key));
    }
    return list;
}

std::string FormatList(const FileCollection& list, UINT codePage) {
    std::string bytes;
    for (const cFileItem& item : list) {
        // A CR would end the line early and read back as two patterns.
        if (item.Path.find(L'\r') != std::wstring::npos) throw win32::Error::FromWin32(ERROR_INVALID_DATA, item.Path);
        bytes += Narrow(item.Path, codePage);
        bytes += "\r\n";
    }
    return bytes;
}

void LoadListFrom(const std::wstring& fileName, FileCollection& into) {
    into.Clear();
    const std::string bytes = ReadWholeFile(fileName);
    try {
        into = ParseList(bytes);
    } catch (const win32::Error& unreadable) {
        throw win32::Error(unreadable.Hr(), fileName);
    }
}

void SaveListTo(const std::wstring& fileName, const FileCollection& list) {
    std::string bytes;
    try {
        bytes = FormatList(list);
    } catch (const win32::Error& refused) {
        throw win32::Error(refused.Hr(), fileName);
    }
    ReplaceFileContents(fileName, bytes);
}

}  // namespace modMain
