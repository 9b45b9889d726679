#include "app/version_compare.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseVersionKey, AcceptsOnlyThreeDigitParts) {
    struct Case { std::string text; std::optional<VersionKey> want; } const cases[] = {
        {"10077_3_5", VersionKey{10077, 5, 3}},
        {"0_0_0", VersionKey{0, 0, 0}},
        {"007_08_9", VersionKey{7, 9, 8}},
        {"2147483647_1_2", VersionKey{2147483647, 2, 1}},
        {"2147483648_1_2", std::nullopt},         // beyond 32 bits
        {"99999999999999999999_1_2", std::nullopt},
        {"1_2", std::nullopt},
        {"1_2_3_4", std::nullopt},
        {"1__3", std::nullopt},
        {"_1_2", std::nullopt},
        {"1_2_", std::nullopt},
        {"-1_2_3", std::nullopt},
        {"+1_2_3", std::nullopt},
        {" 1_2_3", std::nullopt},
        {"1_2_3x", std::nullopt},
        {"1_2_3\\..\\..", std::nullopt},          // used as a folder name
        {"a_b_c", std::nullopt},
        {std::string("1_2_3\0", 6), std::nullopt},
        {"1.0.0", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(ParseVersionKey(c.text), c.want);
    }
}

TEST(ParseVersionTriple, OutputsInCompareOrderAndZeroOnFailure) {
    int a = 7, b = 7, c = 7;
    EXPECT_TRUE(ParseVersionTriple("10077_3_5", a, b, c));
    EXPECT_EQ(a, 10077);
    EXPECT_EQ(b, 5);
    EXPECT_EQ(c, 3);
    EXPECT_FALSE(ParseVersionTriple("1_2", a, b, c));
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(c, 0);
}

TEST(CompareVersions, CodesInTestOrder) {
    struct Case { const char* version; const char* base; const char* other; int want; } const cases[] = {
        {"", "", "x", kVersionEmpty},
        {"1_1_1", "", "x", kBaseEmpty},
        {"1_1", "x", "y", kVersionUnparsable},
        {"1_1_1", "1_1", "y", kBaseUnparsable},
        {"1_1_1", "1_1_0", "1_x_1", kOtherBaseUnparsable},
        // Order is A, then C, then B: the middle part decides last.
        {"10077_3_1", "10077_2_9", "", kNotNewerThanBase},
        {"3_1_9", "3_5_2", "", kVersionNewer},
        {"2_0_0", "1_9_9", "", kVersionNewer},
        {"1_2_3", "1_1_3", "", kVersionNewer},
        {"1_1_0", "1_1_0", "", kNotNewerThanBase},
        {"1_1_0", "1_1_1", "", kNotNewerThanBase},
        // A differing other base takes the base's place.
        {"1_1_1", "1_1_0", "1_1_1", kVersionNewer},
        {"1_1_1", "1_1_5", "1_1_1", kVersionNewer},
        {"1_1_0", "1_0_0", "1_1_1", kOlderThanOtherBase},
        {"1_1_2", "1_0_0", "1_1_1", kNewerThanOtherBase},
        // An other base equal to the base changes nothing.
        {"1_1_0", "1_1_0", "1_1_0", kNotNewerThanBase},
        {"1_1_2", "1_1_0", "1_1_0", kVersionNewer},
        // Unparsable texts from servers are results, never exceptions.
        {"1_1_99999999999", "1_1_0", "", kVersionUnparsable},
        {"1_1_1", "x_1_0", "", kBaseUnparsable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version << " / " << c.base << " / " << c.other);
        EXPECT_EQ(CompareVersions(c.version, c.base, c.other), c.want);
    }
}

}  // namespace
