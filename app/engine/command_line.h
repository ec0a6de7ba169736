#pragma once
// Command-line switches (/AUTO, /QUIET, /MIN, /DIR value, ...).
// The command line is read afresh on every call; nothing is cached.
#include <string>
#include <string_view>

namespace modMain {

// Every switch the program knows. A switch is "/" and its name, in any letter
// case; a longer word counts as its switch (/QUIETLY is /QUIET). One that takes
// a value is followed by one separator character and the value, which runs to
// the next " /" or the end; a switch's text inside a value is part of the value.
struct SwitchWord {
    std::wstring_view name;
    bool takesValue;
};
inline constexpr SwitchWord kSwitchWords[] = {
    {L"AUTO", false},    {L"QUIET", false},   {L"MIN", false},
    {L"PREVIEW", false}, {L"RECYCLE", false}, {L"DIR", true},
    {L"OLDER", true},    {L"LOG", true},
};

// Whether "/" + name occurs in this process's argument text (case-insensitive
// substring) outside the DIR value: a folder named "autosave" is no /AUTO.
bool HasSwitch(const std::wstring& name);

// The text after "/" + name and one separator character, up to the next " /",
// without one pair of double quotes around it.
std::wstring GetSwitchValue(const std::wstring& name);

// This process's argument text: its command line after the program's name.
std::wstring CommandLineArguments();

// The same rules over a given text, for callers and tests that hold one.
std::wstring ArgumentsOf(std::wstring_view fullCommandLine);
bool HasSwitchIn(std::wstring_view arguments, std::wstring_view name);
std::wstring SwitchValueIn(std::wstring_view arguments, std::wstring_view name);
// The one character between a valued switch's name and its value (':' in
// "/OLDER:30"); 0 when the switch is not there or nothing follows its name.
wchar_t SwitchSeparatorIn(std::wstring_view arguments, std::wstring_view name);

// The first word outside the values that stands where a switch would and is
// none, as typed ("/PREVEIW"); "" when there is none. A "-" or a full-width
// slash at the start of a word is never a switch ("-PREVIEW").
std::wstring UnknownSwitchIn(std::wstring_view arguments);

}  // namespace modMain
