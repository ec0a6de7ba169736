#include "run_report/standard_output.h"

namespace {

constexpr size_t kFlushAt = 32 * 1024;   // characters

DWORD LastErrorOr(DWORD fallback) {
    const DWORD code = GetLastError();
    return code == ERROR_SUCCESS ? fallback : code;
}

DWORD WriteAll(HANDLE out, const char* bytes, size_t size) {
    while (size > 0) {
        const DWORD piece = static_cast<DWORD>(size < 0x10000000 ? size : 0x10000000);
        DWORD written = 0;
        if (!WriteFile(out, bytes, piece, &written, nullptr)) return LastErrorOr(ERROR_WRITE_FAULT);
        if (written == 0) return ERROR_WRITE_FAULT;
        bytes += written;
        size -= written;
    }
    return ERROR_SUCCESS;
}

DWORD WriteStandardText(DWORD whichHandle, const std::wstring& text) {
    HANDLE out = GetStdHandle(whichHandle);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return ERROR_SUCCESS;   // nowhere to write

    DWORD mode = 0;
    if (GetConsoleMode(out, &mode)) {
        DWORD written = 0;
        if (!WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
            return LastErrorOr(ERROR_WRITE_FAULT);
        return ERROR_SUCCESS;
    }
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return LastErrorOr(ERROR_NO_UNICODE_TRANSLATION);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), bytes,
                        nullptr, nullptr);
    return WriteAll(out, utf8.data(), utf8.size());
}

}  // namespace

DWORD WriteStandardLine(DWORD whichHandle, const std::wstring& text) {
    return WriteStandardText(whichHandle, text + L"\r\n");
}

void StandardLineWriter::Add(const std::wstring& text) {
    pending_ += text;
    pending_ += L"\r\n";
    if (pending_.size() >= kFlushAt) Flush();
}

DWORD StandardLineWriter::Flush() {
    if (!pending_.empty()) {
        const DWORD result = WriteStandardText(which_, pending_);
        pending_.clear();
        if (failure_ == ERROR_SUCCESS) failure_ = result;
    }
    return failure_;
}
