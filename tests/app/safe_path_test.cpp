#include "app/safe_path.h"

#include <gtest/gtest.h>

#include "base/string_conversions.h"

TEST(IsSafeRelativePath, RefusesEveryWayOutOfTheFolder) {
    const struct {
        const char* path;
        bool safe;
    } cases[] = {
        {"a/b/c.txt", true},
        {"a\\b\\c.txt", true},
        {"version_map.txt", true},
        {"...", true},  // an ordinary name, not a parent reference
        {"a/.../b", true},
        {"..a/b..", true},
        {"a b/c d.dat", true},
        {"", false},
        {"..", false},
        {"..\\x", false},
        {"../x", false},
        {"a/../b", false},
        {"a\\..\\b", false},
        {"a\\..", false},
        {"a/..", false},
        {"a/.. ", false},  // Windows drops the trailing space
        {".", false},
        {"./a", false},
        {"\\x", false},
        {"/x", false},
        {"\\\\server\\share\\x", false},
        {"\\\\?\\C:\\x", false},
        {"C:x", false},
        {"C:\\x", false},
        {"a:b", false},      // alternate data stream
        {"a\tb", false},
        {"a\nb", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::string error = "stale";
        EXPECT_EQ(IsSafeRelativePath(std::string(c.path), &error), c.safe);
        EXPECT_EQ(error.empty(), c.safe) << error;

        std::wstring wide;
        kbase::Utf8ToWide(c.path, wide);
        EXPECT_EQ(IsSafeRelativePath(wide), c.safe);
    }
}

TEST(IsSafeRelativePath, EmbeddedNulCannotHideATraversal) {
    // Cut at the NUL by the system, "a/..\0b" would name the folder above.
    EXPECT_FALSE(IsSafeRelativePath(std::string("a/..\0b", 6)));
    EXPECT_FALSE(IsSafeRelativePath(std::wstring(L"a/..\0b", 6)));
}

TEST(IsSafeRelativePath, NonAsciiNamesAreAccepted) {
    EXPECT_TRUE(IsSafeRelativePath(std::wstring(L"\x8cc7\x6599/\x5b57\x578b.ttf")));
    EXPECT_TRUE(IsSafeRelativePath(std::string("\xe8\xb3\x87\xe6\x96\x99/a.ttf")));
}

TEST(IsSafeVersionFolderName, AcceptsOnlyThreeDigitGroups) {
    const struct {
        const char* version;
        bool safe;
    } cases[] = {
        {"1_2_3", true},
        {"0_10_200", true},
        {"123456789_1_1", true},
        {"1234567890_1_1", false},  // longer than any real version
        {"", false},
        {"1_2", false},
        {"1_2_3_4", false},
        {"1__3", false},
        {"_1_2", false},
        {"1_2_", false},
        {"1.2.3", false},
        {"1_2_3a", false},
        {"..", false},
        {"1_2_../x", false},
        {"1_2_3 ", false},
        {"-1_2_3", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        EXPECT_EQ(IsSafeVersionFolderName(c.version), c.safe);
    }
}
