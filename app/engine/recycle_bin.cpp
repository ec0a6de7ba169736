#include "recycle_bin.h"

#include <windows.h>
#include <shellapi.h>
#include "command_line.h"
#include "long_path.h"
#include "own_name.h"
#include "relative_open.h"
#include "program_paths.h"

namespace modMain {

void MoveToRecycleBin(const std::wstring& directory, const std::vector<std::wstring>& names) {
    if (names.empty()) return;
    // The shell takes a list of full paths, each ended by a null, the list by a second one.
    std::wstring paths;
    for (const std::wstring& name : names) {
        paths += AddSlash(directory) + name;
        paths.push_back(L'\0');
    }
    paths.push_back(L'\0');

    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = paths.c_str();
    // Files only, should a name ever be read as a wildcard after all.
    operation.fFlags =
        FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_NOCONFIRMMKDIR | FOF_FILESONLY;
    // Its result covers the whole list; what is left in the directory tells per file.
    ::SHFileOperationW(&operation);
}

bool PathStillReaches(const HeldFolder& folder, const FileEntry& file) {
    const std::wstring path = AddSlash(folder.shown) + file.name;
    const win32::FileHandle reached(::CreateFileW(ExtendedPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!reached) return false;
    if (file.id != 0 && FileIdOf(reached.get()) != file.id) return false;
    return !LinksLookLikeFiles() || ResolvesTo(reached.get(), AddSlash(folder.expected) + file.name);
}

}  // namespace modMain
