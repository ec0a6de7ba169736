#include "list_file.h"

#include <windows.h>
#include "file_replace.h"
#include "list_encoding.h"
#include "long_path.h"
#include "program_paths.h"
#include "text_case.h"
#include "handle_owners.h"
#include "error.h"

namespace modMain {
namespace {

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

// Said before the list fills the memory: what holds a list grows with it, and a
// 32-bit process runs out of room long before the list box's own limit.
win32::Error TooLong() {
    return win32::Error::Described(HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE),
                                   L"The list holds more than " + std::to_wstring(FileCollection::kMostEntries) +
                                       L" patterns, more than Scourway can hold.");
}

}  // namespace

FileCollection ParseList(std::string_view bytes, UINT ansiCodePage) {
    const ListText decoded = DecodeListText(bytes, ansiCodePage);
    const std::wstring_view all = decoded.text;
    FileCollection list;
    list.SetEncoding(decoded.encoding);
    int32_t key = 0;
    size_t position = 0;
    while (position < all.size()) {
        // CR LF, CR and LF each end a line: editors and repositories write any of them.
        const size_t lineEnd = all.find_first_of(L"\r\n", position);
        const size_t end = lineEnd == std::wstring_view::npos ? all.size() : lineEnd;
        const std::wstring_view line = TrimSpaces(all.substr(position, end - position));
        position = end + 1;
        if (end < all.size() && all[end] == L'\r' && position < all.size() && all[position] == L'\n') ++position;
        if (line.empty() || line.front() == L'>') continue;
        if (key == FileCollection::kMostEntries) throw TooLong();
        ++key;
        list.Add(cFileItem{std::wstring(line), key}, FileCollection::KeyText(key));
    }
    return list;
}

std::string FormatList(const FileCollection& list, UINT ansiCodePage) {
    const ListEncoding encoding = list.Encoding();
    const std::string lineEnd = EncodeListText(L"\r\n", encoding, ansiCodePage);
    std::string bytes = ByteOrderMark(encoding);
    for (const cFileItem& item : list) {
        // A CR or LF would end the line early and read back as two patterns.
        if (item.Path.find_first_of(L"\r\n") != std::wstring::npos)
            throw win32::Error::FromWin32(ERROR_INVALID_DATA, item.Path);
        bytes += EncodeListText(item.Path, encoding, ansiCodePage);
        bytes += lineEnd;
    }
    return bytes;
}

void LoadListFrom(const std::wstring& fileName, FileCollection& into) {
    into.Clear();
    const std::string bytes = ReadWholeFile(fileName);
    try {
        into = ParseList(bytes);
    } catch (const win32::Error& unreadable) {
        throw unreadable.About(fileName);
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

std::wstring ListFilePath() { return AddSlash(ProgramDirectory()) + L"KILL.LST"; }

void LoadList() { LoadListFrom(ListFilePath(), colFiles); }

void SaveList() { SaveListTo(ListFilePath(), colFiles); }

}  // namespace modMain
