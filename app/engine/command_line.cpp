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

namespace {

// Where the DIR value lies in the upper-cased arguments: from the character
// after "/DIR" (the separator) to the next " /" or the end. Empty without DIR.
struct Span {
    size_t begin = 0;
    size_t end = 0;
    bool Holds(size_t at) const { return at >= begin && at < end; }
};

Span DirValueSpan(const std::wstring& upper) {
    const size_t slash = upper.find(L"/DIR");
    if (slash == std::wstring::npos) return {};
    const size_t separator = slash + 4;
    const size_t end = upper.find(L" /", separator + 1);
    return {separator, end == std::wstring::npos ? upper.size() : end};
}

}  // namespace

bool HasSwitchIn(std::wstring_view arguments, std::wstring_view name) {
    const std::wstring upper = UpperCase(arguments);
    if (TrimSpaces(upper).empty()) return false;
    // A folder's name may hold a switch's text ("/DIR C:/data/autosave"): what
    // lies inside the DIR value never turns a switch on.
    const std::wstring key = L"/" + UpperCase(name);
    const Span dirValue = DirValueSpan(upper);
    for (size_t at = upper.find(key); at != std::wstring::npos; at = upper.find(key, at + 1))
        if (!dirValue.Holds(at)) return true;
    return false;
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
