#include "app/version_text.h"

#include <gtest/gtest.h>

#include "tests/app/scratch_folder.h"

namespace {

TEST(VersionText, DisplayForm) {
    struct Case {
        const char* version;
        const char* want;
    } const cases[] = {
        {"10077_3_5", "1.0.77.5.3"},
        {"1020304_1_2", "1.2.3.4.2.1"},
        {"10000_0_0", "0.100.0.0.0"},  // thresholds are strict
        {"100_7_8", "0.0.100.8.7"},
        {"1000000_1_2", "100.0.0.2.1"},
        {"1000001_1_2", "1.0.0.1.2.1"},
        {"2147483647_0_0", "2147.48.36.47.0.0"},
        {" +77x_1_2", "0.0.77.2.1"},  // as a C number reader: blanks, sign, trailing text
        {"-5_1_2", "0.0.-5.2.1"},
        {"1_2", "1_2"},
        {"1_2_", "1_2_"},
        {"1_2_3_4", "1_2_3_4"},
        {"", ""},
        {"x_1_2", "x_1_2"},  // not numbers: unchanged instead of an error
        {"_1_2", "_1_2"},
        {"++1_1_2", "++1_1_2"},
        {"+-1_1_2", "+-1_1_2"},
        {"2147483648_1_2", "2147483648_1_2"},
        {"99999999999999999999_1_2", "99999999999999999999_1_2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        std::string out = "stale";
        FormatDisplayVersion(c.version, out);
        EXPECT_EQ(out, c.want);
    }
}

TEST(VersionText, VersionOfAMapFile) {
    struct Case {
        const char* text;
        const char* want;
    } const cases[] = {
        {R"({"version": "1_2_3", "list": {}})", "1_2_3"},
        {R"({"a.txt": {"md5": "x"}, "version": {"md5": "4_5_6", "size": 0}})", "4_5_6"},
        {R"({"version": {"size": 0}})", ""},
        {R"({"version": {"md5": 7}})", ""},
        {R"({"version": 7})", "default"},
        {R"({"version": null})", "default"},
        {R"({"list": {}})", "default"},
        {R"(["version"])", "default"},
        {R"({"version": )", "default"},
        {"", "default"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ScratchFolder folder;
        folder.WriteFile(L"version_map.txt", c.text);
        std::string out = "stale";
        ReadVersionMapVersion(folder.Child(L"version_map.txt"), out, "default");
        EXPECT_EQ(out, c.want);
    }
    std::string out;
    ReadVersionMapVersion(L"C:\\no\\such\\version_map.txt", out, "1.0.0");
    EXPECT_EQ(out, "1.0.0");
}

}  // namespace
