#pragma once
// The list file KILL.LST beside the program: its text rules, and its reading
// and writing into and from a pattern collection.
#include <windows.h>
#include <string>
#include <string_view>
#include "pattern_list.h"

namespace modMain {

// AddSlash(ProgramDirectory()) + "KILL.LST".
std::wstring ListFilePath();

// Replaces colFiles with the entries of KILL.LST. Throws win32::Error.
void LoadList();
// Writes colFiles to KILL.LST, replacing the old file whole or not at all. Throws win32::Error.
void SaveList();

// The text rules, apart from any file: bytes to entries numbered 1..n (read as
// their byte-order mark says, else in the ANSI code page given; CR LF, CR and LF
// each end a line), and entries back to bytes in the list's encoding (its mark,
// then one Path + CR LF each).
FileCollection ParseList(std::string_view bytes, UINT ansiCodePage = CP_ACP);
std::string FormatList(const FileCollection& list, UINT ansiCodePage = CP_ACP);

// The same as LoadList and SaveList on a given file.
void LoadListFrom(const std::wstring& fileName, FileCollection& into);
void SaveListTo(const std::wstring& fileName, const FileCollection& list);

}  // namespace modMain
