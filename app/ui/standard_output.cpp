#include "standard_output.h"

namespace {

constexpr size_t kFlushAt = 32 * 1024;   // characters

bool WriteStandardText(DWORD whichHandle, const std::wstring& text) {
    HANDLE out = GetStdHandle(whichHandle);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return false;

    DWORD mode = 0;
    if (GetConsoleMode(out, &mode)) {
        DWORD written = 0;
        return WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0;
    }
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return false;
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), bytes,
                        nullptr, nullptr);
    DWORD written = 0;
    return WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) != 0 &&
           written == utf8.size();
}

}  // namespace

bool WriteStandardLine(DWORD whichHandle, const std::wstring& text) {
    return WriteStandardText(whichHandle, text + L"\r\n");
}

void StandardLineWriter::Add(const std::wstring& text) {
    pending_ += text;
    pending_ += L"\r\n";
    if (pending_.size() >= kFlushAt) Flush();
}

void StandardLineWriter::Flush() {
    if (pending_.empty()) return;
    WriteStandardText(which_, pending_);
    pending_.clear();
}
