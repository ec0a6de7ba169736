#include "run_log.h"

#include "error.h"
#include "long_path.h"
#include "relative_open.h"
#include "text_conversion.h"

namespace modMain {

RunLog::RunLog(const std::wstring& path) {
    const std::wstring full = FullPath(path);
    file_.reset(::CreateFileW(ExtendedPath(full).c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, FILE_SHARE_READ,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) throw win32::Error::FromWin32(::GetLastError(), full);
    name_ = full.substr(full.find_last_of(L'\\') + 1);
    id_ = FileIdOf(file_.get());
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file_.get(), &size)) throw win32::Error::FromWin32(::GetLastError(), full);
    if (size.QuadPart == 0) Write("\xEF\xBB\xBF");
    if (failure_ != ERROR_SUCCESS) throw win32::Error::FromWin32(failure_, full);
}

// A name that is no valid UTF-16 still gets its line: the platform replaces the odd unit.
void RunLog::Line(const std::wstring& text) { Write(win32::Utf8(text) + "\r\n"); }

void RunLog::Write(const std::string& bytes) {
    if (failure_ != ERROR_SUCCESS) return;
    DWORD written = 0;
    if (!::WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        failure_ = ::GetLastError();
    else if (written != bytes.size())
        failure_ = ERROR_DISK_FULL;
}

FileEligibility RunLog::Spare(FileEligibility eligible) const {
    eligible.spareId = id_;
    eligible.spareName = name_;
    return eligible;
}

}  // namespace modMain
