#pragma once
// Lines to the process's standard output or error, when it has one (a console
// or a redirection); a program started without them writes nothing.
#include <windows.h>
#include <string>

// A console gets the text as it is (WriteConsoleW); a file or pipe gets UTF-8.
// The line ends with CR LF. ERROR_SUCCESS when it was written or there is no
// such handle; the platform's error code when writing failed (a full disk).
DWORD WriteStandardLine(DWORD whichHandle, const std::wstring& text);

// Many lines to one standard handle (a preview lists every file it finds),
// collected and written in large pieces: on Flush, whenever enough has
// gathered, and when the writer goes.
class StandardLineWriter {
public:
    explicit StandardLineWriter(DWORD whichHandle) : which_(whichHandle) {}
    ~StandardLineWriter() { Flush(); }
    StandardLineWriter(const StandardLineWriter&) = delete;
    StandardLineWriter& operator=(const StandardLineWriter&) = delete;

    void Add(const std::wstring& text);
    // Writes what has gathered. The first failure of any write of this writer
    // (ERROR_SUCCESS when there was none): lines lost earlier stay lost.
    DWORD Flush();

private:
    DWORD which_;
    std::wstring pending_;
    DWORD failure_ = ERROR_SUCCESS;
};
