#pragma once
// Scourway's process exit codes.

enum ScourwayExit : int {
    kExitOk = 0,        // normal end; the last delete run, if any, completed and all output was written
    kExitFailed = 1,    // start-up failed, an AUTO start made no run, the last delete run ended on a
                        // failure, or standard output or error could not be written
    kExitStopped = 2,   // the window was closed while a delete run was working
};
