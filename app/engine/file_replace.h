#pragma once
// Replacing a file's whole contents so that a failure at any point leaves
// either the old file or the new one, never a part of either.
#include <string>
#include <string_view>

namespace modMain {

// Writes the bytes to a new file beside target, flushes it, then moves it over
// target in one step. On failure the new file is removed and win32::Error
// (naming target) is thrown; target is untouched.
void ReplaceFileContents(const std::wstring& target, std::string_view bytes);

}  // namespace modMain
