#pragma once
// A fresh folder per test, removed afterwards:
//   <temp>\scourway-e2e-<pid>-<n>\           root, for the test's own trees and files
//   <temp>\scourway-e2e-<pid>-<n>\program\   the copied program and its KILL.LST
// so no two tests share a list file or a tree.
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// The program the tests drive: the built Scourway.exe (SCOURWAY_EXE in the environment
// overrides the path compiled in), as a Windows path.
std::wstring ScourwayExe();
// A Linux path as the Windows path Wine gives it; Windows paths pass unchanged.
std::wstring WindowsPathOf(const std::string& hostPath);

class ProgramFolder {
public:
    // Copies `exe` (default: ScourwayExe()) into the program folder under its own name.
    explicit ProgramFolder(const std::wstring& exe = ScourwayExe());
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::wstring& Root() const { return root_; }
    const std::wstring& ProgramDir() const { return programDir_; }
    const std::wstring& ExePath() const { return exePath_; }
    std::wstring ListPath() const { return programDir_ + L"\\KILL.LST"; }

    // KILL.LST as raw bytes: the test decides every CR, LF and ANSI byte.
    void WriteList(std::string_view bytes) const;
    std::string ReadList() const;
    bool HasList() const;

    // Paths below Root(), "a\b" style.
    std::wstring PathOf(const std::wstring& relative) const;
    void MakeDir(const std::wstring& relative) const;  // with missing parents
    void WriteFile(const std::wstring& relative, std::string_view bytes = {}) const;
    bool Exists(const std::wstring& relative) const;
    // Every file below `relative`, as paths relative to it, sorted.
    std::vector<std::wstring> FilesBelow(const std::wstring& relative) const;

private:
    std::wstring root_, programDir_, exePath_;
};

// Whole-file helpers on absolute Windows paths.
void WriteBytes(const std::wstring& path, std::string_view bytes);
std::string ReadBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);
void RemoveTree(const std::wstring& path);

}  // namespace e2e
