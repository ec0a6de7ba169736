#include "temp_tree.h"

#include <functional>
#include <stdexcept>
#include "own_name.h"

namespace enginetest {
namespace {

std::string Utf8(std::wstring_view text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                          nullptr);
    return out;
}

std::wstring Wide(std::string_view text) {
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

// Windows-side removal, for a run outside Wine: links are removed, not followed.
void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveTree(child);
            else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                ::RemoveDirectoryW(child.c_str());
            else
                ::DeleteFileW(child.c_str());
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(path.c_str());
}

// A host program started through Wine cannot be waited for: wait for its effect.
bool Eventually(const std::function<bool()>& done) {
    for (int i = 0; i < 500; ++i) {
        if (done()) return true;
        ::Sleep(10);
    }
    return false;
}

// An immutable file cannot be opened for writing.
bool Writable(const std::wstring& path) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    return true;
}

}  // namespace

bool UnderWine() { return modMain::RunsUnderWine(); }

bool RunHost(const std::wstring& program, const std::wstring& commandLine) {
    std::wstring line = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

TempTree::TempTree() {
    static int counter = 0;
    std::wstring base;
    if (UnderWine()) {
        base = L"Z:\\tmp";
    } else {
        wchar_t buffer[MAX_PATH + 1];
        const DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
        base = std::wstring(buffer, length);
        if (!base.empty() && base.back() == L'\\') base.pop_back();
    }
    root_ = base + L"\\scourway-engine-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    if (!::CreateDirectoryW(root_.c_str(), nullptr)) throw std::runtime_error("cannot create the test tree");
}

TempTree::~TempTree() {
    if (UnderWine()) {
        RunHost(L"Z:\\bin\\rm", L"rm -rf " + Wide(HostPath(L"")));
        Eventually([this] { return !Exists(L""); });
    } else {
        RemoveTree(LongPath(L""));
    }
}

std::wstring TempTree::Path(std::wstring_view relative) const {
    return relative.empty() ? root_ : root_ + L"\\" + std::wstring(relative);
}

std::wstring TempTree::LongPath(std::wstring_view relative) const { return L"\\\\?\\" + Path(relative); }

void TempTree::Dir(std::wstring_view relative) const {
    if (!::CreateDirectoryW(LongPath(relative).c_str(), nullptr)) throw std::runtime_error("cannot create a folder");
}

void TempTree::File(std::wstring_view relative, std::string_view content, DWORD attributes) const {
    HANDLE file = ::CreateFileW(LongPath(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create a file");
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    ::CloseHandle(file);
    if (attributes != 0) ::SetFileAttributesW(LongPath(relative).c_str(), attributes);
}

bool TempTree::Exists(std::wstring_view relative) const {
    return ::GetFileAttributesW(LongPath(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string TempTree::Read(std::wstring_view relative) const {
    HANDLE file = ::CreateFileW(LongPath(relative).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot read a file");
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (::ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
    ::CloseHandle(file);
    return bytes;
}

std::string TempTree::HostPath(std::wstring_view relative) const {
    std::string path = Utf8(Path(relative).substr(2));   // drop "Z:"
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

bool TempTree::Link(std::string_view target, std::wstring_view relative) const {
    if (!UnderWine()) return false;
    RunHost(L"Z:\\bin\\ln", L"ln -s " + Wide(target) + L" " + Wide(HostPath(relative)));
    return Eventually([&] { return Exists(relative); });
}


bool TempTree::HostFile(std::wstring_view relative) const {
    if (!UnderWine()) return false;
    RunHost(L"Z:\\usr\\bin\\touch", L"touch \"" + Wide(HostPath(relative)) + L"\"");
    return Eventually([&] { return Listed(relative); });
}

bool TempTree::Listed(std::wstring_view relative) const {
    const std::wstring path = LongPath(relative);
    const size_t slash = path.find_last_of(L'\\');
    const std::wstring name = path.substr(slash + 1);
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((path.substr(0, slash) + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool listed = false;
    do listed = listed || name == data.cFileName;
    while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return listed;
}

bool TempTree::Pin(std::wstring_view relative) const {
    if (!UnderWine()) return false;
    RunHost(L"Z:\\usr\\bin\\chattr", L"chattr +i \"" + Wide(HostPath(relative)) + L"\"");
    return Eventually([&] { return !Writable(LongPath(relative)); });
}

void TempTree::Unpin(std::wstring_view relative) const {
    RunHost(L"Z:\\usr\\bin\\chattr", L"chattr -i \"" + Wide(HostPath(relative)) + L"\"");
    Eventually([&] { return Writable(LongPath(relative)); });
}

const TempTree& RecycleBinHome() {
    static TempTree bin;
    static const bool placed = [] {
        const std::string home = bin.HostPath(L"");
        return !UnderWine() || ::SetEnvironmentVariableW(L"XDG_DATA_HOME", Wide(home).c_str());
    }();
    if (!placed) throw std::runtime_error("cannot place the Recycle Bin");
    return bin;
}

}  // namespace enginetest
