#pragma once
// A real directory tree for one test, removed again afterwards. Under Wine it
// lies in Z:\tmp, where links can be made with the host's own ln.
#include <windows.h>
#include <string>
#include <string_view>

namespace enginetest {

bool UnderWine();

class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // The root as a plain full path (no trailing "\").
    const std::wstring& Root() const { return root_; }
    // Root + "\" + relative ("" gives the root).
    std::wstring Path(std::wstring_view relative) const;
    // The same path in \\?\ form, for names past MAX_PATH.
    std::wstring LongPath(std::wstring_view relative) const;

    void Dir(std::wstring_view relative) const;
    void File(std::wstring_view relative, std::string_view content = {}, DWORD attributes = 0) const;
    bool Exists(std::wstring_view relative) const;
    std::string Read(std::wstring_view relative) const;
    // Makes relative a symbolic link to target (as ln -s writes it). False when
    // the platform cannot make one for the test.
    bool Link(std::string_view target, std::wstring_view relative) const;
    // Makes an empty file with a name Windows could not make (a "*", a trailing
    // dot or space), with the host's touch. False when not under Wine.
    bool HostFile(std::wstring_view relative) const;
    // Whether the directory lists exactly this name (which the file APIs may not
    // take, or may take as another file's).
    bool Listed(std::wstring_view relative) const;
    // Makes the file immutable with the host's chattr: the platform still accepts
    // its deletion, which then does not happen. False where chattr cannot (no root,
    // a file system without the attribute). Unpin undoes it.
    bool Pin(std::wstring_view relative) const;
    void Unpin(std::wstring_view relative) const;
    // The host path of relative, under Wine.
    std::string HostPath(std::wstring_view relative) const;

private:
    std::wstring root_;
};

// The folder the shell's Recycle Bin lives in for this test process (its
// Trash\files holds what was recycled); set up on first use, before the shell
// first asks where it is.
const TempTree& RecycleBinHome();

// Starts a host program under Wine with the given command line (it cannot be waited for).
bool RunHost(const std::wstring& program, const std::wstring& commandLine);

}  // namespace enginetest
