#pragma once
// A run started with both AUTO and QUIET is unattended (a scheduled task, a
// script): nobody is there to read a box, so its failures go to standard error
// only. The missing-list question is the one box such a run still asks.
#include <string>
#include "command_line.h"

inline bool IsUnattended(const std::wstring& arguments) {
    return modMain::HasSwitchIn(arguments, L"AUTO") && modMain::HasSwitchIn(arguments, L"QUIET");
}
