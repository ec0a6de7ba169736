#include "command_line.h"

#include <windows.h>
#include "sized_text.h"
#include "text_case.h"

namespace modMain {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::wstring GetWindowsDir() {
    return WholeText([](wchar_t* buffer, DWORD size) { return ::GetWindowsDirectoryW(buffer, size); },
                            255);
}

std::wstring AddSlash(const std::wstring& path) {
    if (!path.empty() && path.back() == L'\\') return path;
    return path + L'\\';
}

bool HasSwitch(const std::wstring& name) { return HasSwitchIn(CommandLineArguments(), name); }

std::wstring GetSwitchValue(const std::wstring& name) { return SwitchValueIn(CommandLineArguments(), name); }

std::wstring CommandLineArguments() { return ArgumentsOf(::GetCommandLineW()); }

std::wstring ArgumentsOf(std::wstring_view fullCommandLine) {
    const std::wstring_view line = fullCommandLine;
    size_t i = 0;
    if (!line.empty() && line[0] == L'"') {
        const size_t closing = line.find(L'"', 1);
        i = closing == std::wstring_view::npos ? line.size() : closing + 1;
    } else {
        while (i < line.size() && !IsBlank(line[i])) ++i;
    }
    while (i < line.size() && IsBlank(line[i])) ++i;
    return std::wstring(line.substr(i));
}

bool HasSwitchIn(std::wstring_view arguments, std::wstring_view name) {
    const std::wstring upper = UpperCase(arguments);
    const std::wstring_view trimmed = TrimSpaces(upper);
    if (trimmed.empty()) return false;
    return trimmed.find(L"/" + UpperCase(name)) != std::wstring_view::npos;
}

std::wstring SwitchValueIn(std::wstring_view arguments, std::wstring_view name) {
    const std::wstring upper = UpperCase(arguments);   // same length: positions agree
    const size_t slash = upper.find(L"/" + UpperCase(name));
    if (slash == std::wstring::npos) return {};
    const size_t start = slash + 1 + name.size() + 1;   // the slash, the name, one separator
    if (start >= arguments.size()) return {};
    const size_t end = upper.find(L" /", start);
    return std::wstring(arguments.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
}

std::wstring ProgramDirectory() {
    const std::wstring program = WholeText(
        [](wchar_t* buffer, DWORD size) { return ::GetModuleFileNameW(nullptr, buffer, size); }, MAX_PATH);
    return ParentDirectory(program);
}

std::wstring ParentDirectory(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return {};
    // A drive root keeps its separator: C:\prog.exe lies in C:\.
    if (slash == 0 || path[slash - 1] == L':') return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

}  // namespace modMain
