#pragma once
// Scourway's process exit codes.

enum ScourwayExit : int {
    kExitOk = 0,        // normal end; the last delete run, if any, completed
    kExitFailed = 1,    // start-up failed, or the last delete run ended on a failure
    kExitStopped = 2,   // the window was closed while a delete run was working
};
