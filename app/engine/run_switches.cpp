#include "run_switches.h"

#include "command_line.h"
#include "file_eligibility.h"

namespace modMain {
namespace {

bool SeparatesAValue(wchar_t c) { return c == L':' || c == L' ' || c == L'\t'; }

// The switch's value when it has one of the form it needs; "" otherwise.
std::wstring ValueOf(std::wstring_view arguments, std::wstring_view name) {
    if (!SeparatesAValue(SwitchSeparatorIn(arguments, name))) return {};
    return SwitchValueIn(arguments, name);
}

}  // namespace

RunSwitches ReadRunSwitches(std::wstring_view arguments) {
    RunSwitches switches;
    if (HasSwitchIn(arguments, L"OLDER")) {
        switches.olderDays = DaysIn(ValueOf(arguments, L"OLDER"));
        if (!switches.olderDays) {
            switches.problem = L"/OLDER needs a whole number of days from 0 to " + std::to_wstring(kMostDays) +
                               L", as in /OLDER:30. Nothing was deleted.";
            return switches;
        }
    }
    if (HasSwitchIn(arguments, L"LOG")) {
        const std::wstring file = ValueOf(arguments, L"LOG");
        if (file.find_first_not_of(L" \t") == std::wstring::npos) {
            switches.problem = L"/LOG needs the name of a file, as in /LOG:C:\\Logs\\cleanup.log. Nothing was deleted.";
            return switches;
        }
        switches.logFile = file.substr(0, file.find_last_not_of(L" \t") + 1);
    }
    return switches;
}

}  // namespace modMain
