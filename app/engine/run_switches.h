#pragma once
// What /OLDER and /LOG ask of a run, read from the arguments by the switch rules
// of command_line.h. Their value follows a ':' or a blank ("/OLDER:30",
// "/OLDER 30"): "/OLDER30" or "/LOGFILE:x" is a mistake, never another value.
#include <optional>
#include <string>
#include <string_view>

namespace modMain {

struct RunSwitches {
    std::optional<int> olderDays;   // /OLDER: whole days, 0 to kMostDays
    std::wstring logFile;           // /LOG: "" without it
    std::wstring problem;           // why these switches make no run ("" when they can)
};

RunSwitches ReadRunSwitches(std::wstring_view arguments);

}  // namespace modMain
