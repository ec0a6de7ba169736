#include "program_process.h"

#include <atomic>

#include "harness_error.h"

namespace e2e {

namespace {

HANDLE InheritableFile(const std::wstring& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE file = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail("opening " + Utf8(path) + " for the program", true);
    return file;
}

}  // namespace

ProgramProcess::ProgramProcess(const ProgramFolder& folder, const std::wstring& arguments,
                               const std::wstring& standardOutput) {
    static std::atomic<int> runs{0};
    commandLine_ = L"\"" + folder.ExePath() + L"\"";
    if (!arguments.empty()) commandLine_ += L" " + arguments;
    outputPath_ = folder.Root() + L"\\stdout-" + std::to_wstring(++runs) + L".txt";

    HANDLE output = InheritableFile(outputPath_, GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE input = InheritableFile(L"NUL", GENERIC_READ, OPEN_EXISTING);
    HANDLE elsewhere =
        standardOutput.empty() ? nullptr : InheritableFile(standardOutput, GENERIC_WRITE, OPEN_EXISTING);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = elsewhere ? elsewhere : output;
    startup.hStdError = output;
    PROCESS_INFORMATION info{};
    std::wstring mutableLine = commandLine_;  // CreateProcessW may write into it
    BOOL started = CreateProcessW(folder.ExePath().c_str(), mutableLine.data(), nullptr, nullptr,
                                  TRUE, 0, nullptr, folder.ProgramDir().c_str(), &startup, &info);
    DWORD error = GetLastError();
    CloseHandle(output);
    CloseHandle(input);
    if (elsewhere) CloseHandle(elsewhere);
    SetLastError(error);
    if (!started) Fail("starting " + Utf8(commandLine_), true);
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
}

ProgramProcess::~ProgramProcess() {
    Kill();
    CloseHandle(process_);
}

bool ProgramProcess::Running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> ProgramProcess::ExitCode() const {
    if (Running()) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

DWORD ProgramProcess::WaitForExit(DWORD timeoutMs) const {
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
        std::string boxes;
        for (const auto& box : MessageBoxesOf(id_))
            boxes += " (a message box is open: \"" + Utf8(box.Title()) + "\": \"" +
                     Utf8(box.Text()) + "\")";
        Fail("the program did not end within " + std::to_string(timeoutMs) + " ms" + boxes);
    }
    return *ExitCode();
}

void ProgramProcess::Kill() {
    if (process_ && Running()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, kWaitMs);
    }
}

std::string ProgramProcess::Output() const { return ReadBytes(outputPath_); }

void ProgramProcess::WaitUntil(const std::function<bool()>& holds, const std::string& what,
                               DWORD timeoutMs) const {
    e2e::WaitUntil(holds, what, timeoutMs, [this]() -> std::optional<std::string> {
        if (auto code = ExitCode()) return "the program ended with exit code " + std::to_string(*code);
        return std::nullopt;
    });
}

std::optional<Window> ProgramProcess::FindWindow(
    const std::function<bool(const Window&)>& match) const {
    for (const Window& w : Windows())
        if (match(w)) return w;
    return std::nullopt;
}

Window ProgramProcess::WaitForWindow(const std::function<bool(const Window&)>& match,
                                     const std::string& what, DWORD timeoutMs) const {
    std::optional<Window> found;
    WaitUntil([&] { return (found = FindWindow(match)).has_value(); }, what, timeoutMs);
    return *found;
}

Window ProgramProcess::WaitForDialog(const std::wstring& title, DWORD timeoutMs) const {
    return WaitForWindow(
        [&](const Window& w) { return w.Visible() && w.Caption() == title; },
        "a window titled \"" + Utf8(title) + "\"", timeoutMs);
}

MessageBoxView ProgramProcess::WaitForMessageBox(DWORD timeoutMs) const {
    std::vector<MessageBoxView> boxes;
    WaitUntil([&] { return !(boxes = MessageBoxesOf(id_)).empty(); }, "a message box", timeoutMs);
    if (boxes.size() > 1) Fail(std::to_string(boxes.size()) + " message boxes are open at once");
    return boxes.front();
}

}  // namespace e2e
