#include "windows/download_texts.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t kMiB = 1LL << 20;
constexpr std::int64_t kGiB = 1LL << 30;

TEST(DownloadPercentText, ShowsPercentAndBothSizesWithTheSignWhereTheLanguagePutsIt) {
    struct Case {
        std::int64_t done, total;
        int language;
        const wchar_t* want;
    } const cases[] = {
        {512 * kMiB, 2 * kGiB, 1, L"25.00% (512.00M/ 2.00G)"},
        {512 * kMiB, 2 * kGiB, kPercentSignFirstLanguage, L"%25.00 (512.00M/ 2.00G)"},
        {0, 3 * kMiB, 0, L" 0.00% ( 0.00KB/ 3.00M)"},
        {5, 0, 0, L""},   // no total yet: nothing to show
        {5, -1, 0, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(DownloadPercentText(c.done, c.total, c.language), c.want);
    }
}

TEST(WholePercentText, TruncatesAndNeverOverflows) {
    struct Case {
        std::int64_t done, total;
        int language;
        const wchar_t* want;
    } const cases[] = {
        {1, 3, 0, L"33%"},
        {1, 3, kPercentSignFirstLanguage, L"%33"},
        {2, 3, 0, L"66%"},
        {3, 3, 0, L"100%"},
        {1, 0, 0, L""},
        {std::numeric_limits<std::int64_t>::max(), 1, 0, L"2147483647%"},  // a counter gone wild
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(WholePercentText(c.done, c.total, c.language), c.want);
    }
}

TEST(ProgressValue, IsFullWithoutATotal) {
    EXPECT_FLOAT_EQ(ProgressValue(1, 4), 25.0f);
    EXPECT_FLOAT_EQ(ProgressValue(0, 0), 100.0f);
    EXPECT_FLOAT_EQ(ProgressValue(7, -3), 100.0f);
}

TEST(DurationText, HasNoUpperBoundOnHoursAndNoNegativeTimes) {
    struct Case {
        std::int64_t seconds;
        const wchar_t* want;
    } const cases[] = {
        {3725, L"01:02:05"},
        {360000, L"100:00:00"},
        {0, L"00:00:00"},
        {-5, L"00:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(DurationText(c.seconds), c.want);
    }
}

TEST(CheckCounterText, SplitsTheCounterIntoDoneAndTotal) {
    EXPECT_EQ(CheckCounterText(0), L"");
    EXPECT_EQ(CheckCounterText((40 << 16) | 3), L"(3/40)");
}

TEST(SpeedText, IsTheByteSizePerSecond) {
    EXPECT_EQ(SpeedText(512 * 1024), L"512.00KB/S");
    EXPECT_EQ(SpeedText(0), L" 0.00KB/S");
}

}  // namespace
