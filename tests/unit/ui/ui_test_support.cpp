#include "ui_test_support.h"
#include <fstream>
#include <iterator>
#include <utility>
#include "control_ids.h"
#include "pattern_list.h"

int ScriptedDialogs::Ask(const std::wstring& text, const std::wstring& title, UINT type) {
    calls.push_back({false, title, text, type, {}});
    if (whileOpen) whileOpen();
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected message box: " << testing::PrintToString(text);
        return IDNO;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

std::wstring ScriptedDialogs::Prompt(const std::wstring& title, const std::wstring& prompt,
                                     const std::wstring& initial) {
    calls.push_back({true, title, prompt, 0, initial});
    if (whileOpen) whileOpen();
    if (typed.empty()) {
        ADD_FAILURE() << "unexpected prompt: " << testing::PrintToString(title);
        return {};
    }
    std::wstring answer = typed.front();
    typed.pop_front();
    return answer;
}

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int serial = 0;
    path_ = std::wstring(base) + L"scourway-ui-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++serial);
    CreateDirectoryW(path_.c_str(), nullptr);
}

namespace {
void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring full = path + L"\\" + name;
            SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileW(full.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}
}  // namespace

TempFolder::~TempFolder() { RemoveTree(path_); }

void TempFolder::MakeFolder(const std::wstring& relative) const {
    ASSERT_TRUE(CreateDirectoryW((*this / relative).c_str(), nullptr));
}

void TempFolder::WriteFile(const std::wstring& relative, const std::string& bytes) const {
    std::ofstream out((*this / relative).c_str(), std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good());
}

bool TempFolder::Exists(const std::wstring& relative) const {
    return GetFileAttributesW((*this / relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string TempFolder::Read(const std::wstring& relative) const {
    std::ifstream in((*this / relative).c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void DrainQuit() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void StatusTest::SetUp() {
    modMain::colFiles.Clear();
    DrainQuit();
}

void StatusTest::TearDown() {
    form.reset();
    DrainQuit();
    modMain::colFiles.Clear();
    EXPECT_TRUE(dialogs.answers.empty()) << "unused message box answers";
    EXPECT_TRUE(dialogs.typed.empty()) << "unused prompt answers";
}

frmStatus& StatusTest::Form() {
    if (!form) {
        StatusEnvironment environment;
        environment.listFile = folder / L"KILL.LST";
        environment.arguments = [this] { return arguments; };
        form = std::make_unique<frmStatus>(environment, &dialogs);
    }
    return *form;
}

std::vector<std::wstring> StatusTest::Rows() {
    std::vector<std::wstring> rows;
    HWND list = form->Control(IDC_LSTDELETE);
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        wchar_t text[512] = {};
        SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
        rows.push_back(std::wstring(text) + L"#" +
                       std::to_wstring(static_cast<int32_t>(SendMessageW(list, LB_GETITEMDATA, row, 0))));
    }
    return rows;
}

std::vector<std::wstring> StatusTest::Entries() {
    std::vector<std::wstring> entries;
    for (const modMain::cFileItem& entry : modMain::colFiles)
        entries.push_back(entry.Path + L"#" + std::to_wstring(entry.Key));
    return entries;
}

int StatusTest::Selection() {
    return static_cast<int>(SendMessageW(form->Control(IDC_LSTDELETE), LB_GETCURSEL, 0, 0));
}

void StatusTest::Select(int row) { SendMessageW(form->Control(IDC_LSTDELETE), LB_SETCURSEL, row, 0); }

bool StatusTest::Enabled(int id) { return IsWindowEnabled(form->Control(id)) != FALSE; }

CapturedStream::CapturedStream(DWORD which, std::wstring file)
    : which_(which), file_(std::move(file)), previous_(GetStdHandle(which)) {
    handle_ = CreateFileW(file_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(handle_, INVALID_HANDLE_VALUE);
    SetStdHandle(which_, handle_);
}

CapturedStream::~CapturedStream() {
    SetStdHandle(which_, previous_);
    CloseHandle(handle_);
}

std::string CapturedStream::Text() const {
    std::ifstream in(file_.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::wstring> CapturedStream::Lines() const {
    const std::string text = Text();
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    std::vector<std::wstring> lines;
    for (size_t start = 0, end; (end = wide.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
        lines.push_back(wide.substr(start, end - start));
    return lines;
}

std::string HostPathOf(const std::wstring& path) {
    using ToHost = char*(CDECL*)(const wchar_t*);
    const auto toHost = reinterpret_cast<ToHost>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toHost) return {};
    char* host = toHost(path.c_str());
    if (!host) return {};
    std::string result = host;
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}
