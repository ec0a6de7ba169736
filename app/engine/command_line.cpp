#include "command_line.h"

#include <windows.h>
#include <vector>
#include "sized_text.h"
#include "text_case.h"

namespace modMain {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

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

constexpr wchar_t kFullWidthSlash = L'\uFF0F';

bool IsSwitchSign(wchar_t c) { return c == L'/' || c == kFullWidthSlash; }

// The switch a word names, "AUTO" for "AUTOMATIC" (the longest name that begins
// the word); nullptr when it names none.
const SwitchWord* SwitchNamedBy(std::wstring_view upperWord) {
    const SwitchWord* named = nullptr;
    for (const SwitchWord& word : kSwitchWords)
        if (upperWord.substr(0, word.name.size()) == word.name && (!named || word.name.size() > named->name.size()))
            named = &word;
    return named;
}

// A value in the upper-cased arguments: from the separator after "/NAME" to the
// next " /" or the end.
struct Value {
    const SwitchWord* of = nullptr;
    size_t begin = 0;
    size_t end = 0;
    bool Holds(size_t at) const { return at >= begin && at < end; }
};

// Every valued switch's value, left to right: what lies inside one (a folder
// named "C:/data/autosave") is neither a switch nor the start of another value.
std::vector<Value> ValuesIn(const std::wstring& upper) {
    std::vector<Value> values;
    for (size_t at = 0; at < upper.size(); ++at) {
        if (upper[at] != L'/') continue;
        const SwitchWord* word = SwitchNamedBy(std::wstring_view(upper).substr(at + 1));
        if (word == nullptr || !word->takesValue) continue;
        const size_t separator = at + 1 + word->name.size();
        const size_t next = upper.find(L" /", separator + 1);
        const size_t end = next == std::wstring::npos ? upper.size() : next;
        values.push_back({word, separator, end});
        at = end;
    }
    return values;
}

bool InsideAValue(const std::vector<Value>& values, size_t at) {
    for (const Value& value : values)
        if (value.Holds(at)) return true;
    return false;
}

// Where the word that starts at `at` ends: at a blank or where a value begins.
size_t WordEnd(const std::wstring& upper, const std::vector<Value>& values, size_t at) {
    size_t end = at;
    while (end < upper.size() && !IsBlank(upper[end]) && (end == at || !InsideAValue(values, end))) ++end;
    return end;
}

// One pair of double quotes around a value, as a Command Prompt user types a
// path with spaces, is no part of it. Any other quote stays: no name holds one.
std::wstring WithoutSurroundingQuotes(std::wstring_view value) {
    if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"') value = value.substr(1, value.size() - 2);
    return std::wstring(value);
}

}  // namespace

bool HasSwitchIn(std::wstring_view arguments, std::wstring_view name) {
    const std::wstring upper = UpperCase(arguments);
    const std::wstring key = L"/" + UpperCase(name);
    const std::vector<Value> values = ValuesIn(upper);
    for (size_t at = upper.find(key); at != std::wstring::npos; at = upper.find(key, at + 1))
        if (!InsideAValue(values, at)) return true;
    return false;
}

std::wstring SwitchValueIn(std::wstring_view arguments, std::wstring_view name) {
    const std::wstring upper = UpperCase(arguments);   // same length: positions agree
    const std::wstring key = UpperCase(name);
    for (const Value& value : ValuesIn(upper)) {
        if (value.of->name != key) continue;
        const size_t start = value.begin + 1;   // after the one separator
        if (start >= value.end) return {};
        return WithoutSurroundingQuotes(arguments.substr(start, value.end - start));
    }
    return {};
}

wchar_t SwitchSeparatorIn(std::wstring_view arguments, std::wstring_view name) {
    const std::wstring upper = UpperCase(arguments);
    const std::wstring key = UpperCase(name);
    for (const Value& value : ValuesIn(upper))
        if (value.of->name == key) return value.begin < value.end ? arguments[value.begin] : L'\0';
    return L'\0';
}

std::wstring UnknownSwitchIn(std::wstring_view arguments) {
    const std::wstring upper = UpperCase(arguments);
    const std::vector<Value> values = ValuesIn(upper);
    for (size_t at = 0; at < upper.size();) {
        if (IsBlank(upper[at]) || InsideAValue(values, at)) {
            ++at;
            continue;
        }
        const size_t end = WordEnd(upper, values, at);
        if (upper[at] == L'-') return std::wstring(arguments.substr(at, end - at));
        // A word of switches needs no spaces between them (/QUIET/AUTO): each
        // sign starts one, and each must be a switch.
        for (size_t piece = at; IsSwitchSign(upper[at]) && piece < end;) {
            size_t next = piece + 1;
            while (next < end && !IsSwitchSign(upper[next])) ++next;
            const std::wstring_view name = std::wstring_view(upper).substr(piece + 1, next - piece - 1);
            if (upper[piece] == kFullWidthSlash || SwitchNamedBy(name) == nullptr)
                return std::wstring(arguments.substr(piece, next - piece));
            piece = next;
        }
        at = end;
    }
    return {};
}

}  // namespace modMain
