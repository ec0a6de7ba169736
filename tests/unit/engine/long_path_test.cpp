// A path's two forms, network paths included: \\server\share is \\?\UNC\server\share.
#include "long_path.h"

#include <gtest/gtest.h>

namespace modMain {
namespace {

TEST(LongPath, ExtendedAndShownFormsOfLocalAndNetworkPaths) {
    const struct {
        const wchar_t* full;
        const wchar_t* extended;
        const wchar_t* shown;
    } rows[] = {
        {L"C:\\Temp\\", L"\\\\?\\C:\\Temp", L"C:\\Temp"},
        {L"C:\\", L"\\\\?\\C:\\", L"C:\\"},
        {L"\\\\server\\share\\junk\\", L"\\\\?\\UNC\\server\\share\\junk", L"\\\\server\\share\\junk"},
        {L"\\\\server\\share", L"\\\\?\\UNC\\server\\share", L"\\\\server\\share"},
        {L"\\\\?\\UNC\\server\\share\\x", L"\\\\?\\UNC\\server\\share\\x", L"\\\\server\\share\\x"},
        {L"\\\\?\\D:\\deep\\", L"\\\\?\\D:\\deep", L"D:\\deep"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ExtendedPath(row.full), row.extended) << row.full;
        EXPECT_EQ(DisplayPath(row.full), row.shown) << row.full;
        EXPECT_EQ(DisplayPath(ExtendedPath(row.full)), row.shown) << row.full;
    }
}

}  // namespace
}  // namespace modMain
