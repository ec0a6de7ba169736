#include "program_folder.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

#include "harness_error.h"

#ifndef SCOURWAY_EXE_HOST_PATH
#error "SCOURWAY_EXE_HOST_PATH must name the built Scourway.exe"
#endif

namespace e2e {

namespace {

std::wstring FileNameOf(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring NewRoot() {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH] = {};
    if (!GetTempPathW(MAX_PATH, temp)) Fail("GetTempPath", true);
    std::wstring base = temp;
    if (!base.empty() && base.back() == L'\\') base.pop_back();
    for (;;) {
        std::wstring root = base + L"\\scourway-e2e-" + std::to_wstring(GetCurrentProcessId()) +
                            L"-" + std::to_wstring(++counter);
        if (CreateDirectoryW(root.c_str(), nullptr)) return root;
        if (GetLastError() != ERROR_ALREADY_EXISTS) Fail("creating " + Utf8(root), true);
    }
}

void ListFiles(const std::wstring& dir, const std::wstring& prefix, std::vector<std::wstring>& out) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListFiles(dir + L"\\" + name, prefix + name + L"\\", out);
        else
            out.push_back(prefix + name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

}  // namespace

std::wstring WindowsPathOf(const std::string& hostPath) {
    if (hostPath.empty() || hostPath[0] != '/') return Wide(hostPath);
    using ToDos = wchar_t*(CDECL*)(const char*);
    auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (toDos) {
        if (wchar_t* dos = toDos(hostPath.c_str())) {
            std::wstring out = dos;
            HeapFree(GetProcessHeap(), 0, dos);
            return out;
        }
    }
    std::wstring out = L"Z:" + Wide(hostPath);
    std::replace(out.begin(), out.end(), L'/', L'\\');
    return out;
}

std::wstring ScourwayExe() {
    wchar_t fromEnvironment[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"SCOURWAY_EXE", fromEnvironment, MAX_PATH))
        return WindowsPathOf(Utf8(fromEnvironment));
    return WindowsPathOf(SCOURWAY_EXE_HOST_PATH);
}

ProgramFolder::ProgramFolder(const std::wstring& exe) : root_(NewRoot()) {
    programDir_ = root_ + L"\\program";
    exePath_ = programDir_ + L"\\" + FileNameOf(exe);
    if (!CreateDirectoryW(programDir_.c_str(), nullptr)) Fail("creating " + Utf8(programDir_), true);
    if (!CopyFileW(exe.c_str(), exePath_.c_str(), TRUE))
        Fail("copying the program " + Utf8(exe) + " (is it built?)", true);
}

ProgramFolder::~ProgramFolder() {
    try {
        RemoveTree(root_);
    } catch (const HarnessError&) {
        // A folder left behind in the temp directory must not turn a passing test into a
        // crash at teardown.
    }
}

void ProgramFolder::WriteList(std::string_view bytes) const { WriteBytes(ListPath(), bytes); }
std::string ProgramFolder::ReadList() const { return ReadBytes(ListPath()); }
bool ProgramFolder::HasList() const { return FileExists(ListPath()); }

std::wstring ProgramFolder::PathOf(const std::wstring& relative) const {
    return relative.empty() ? root_ : root_ + L"\\" + relative;
}

void ProgramFolder::MakeDir(const std::wstring& relative) const {
    std::wstring path = root_;
    size_t start = 0;
    while (start <= relative.size()) {
        size_t end = relative.find(L'\\', start);
        if (end == std::wstring::npos) end = relative.size();
        path += L"\\" + relative.substr(start, end - start);
        if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            Fail("creating " + Utf8(path), true);
        start = end + 1;
    }
}

void ProgramFolder::WriteFile(const std::wstring& relative, std::string_view bytes) const {
    WriteBytes(PathOf(relative), bytes);
}

bool ProgramFolder::Exists(const std::wstring& relative) const {
    return GetFileAttributesW(PathOf(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> ProgramFolder::FilesBelow(const std::wstring& relative) const {
    std::vector<std::wstring> files;
    ListFiles(PathOf(relative), L"", files);
    std::sort(files.begin(), files.end());
    return files;
}

void WriteBytes(const std::wstring& path, std::string_view bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail("creating " + Utf8(path), true);
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size()) Fail("writing " + Utf8(path), true);
}

std::string ReadBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail("opening " + Utf8(path), true);
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

bool FileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// Deletes a file or an empty directory; a read-only one loses that attribute first.
bool RemoveEntry(const std::wstring& path, BOOL(WINAPI* remove)(LPCWSTR)) {
    if (remove(path.c_str())) return true;
    if (GetLastError() == ERROR_ACCESS_DENIED && SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL))
        return remove(path.c_str()) != FALSE;
    return false;
}

}  // namespace

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring child = path + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else if (!RemoveEntry(child, DeleteFileW))
                Fail("deleting " + Utf8(child), true);
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    if (!RemoveEntry(path, RemoveDirectoryW) && GetLastError() != ERROR_FILE_NOT_FOUND &&
        GetLastError() != ERROR_PATH_NOT_FOUND)
        Fail("removing " + Utf8(path), true);
}

}  // namespace e2e
