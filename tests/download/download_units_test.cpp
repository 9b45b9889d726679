// The pure pieces of the download manager: URL joining, range splitting, resume-record checks
// and the speed arithmetic.
#include <gtest/gtest.h>

#include "app/launcher_settings.h"
#include "download/file_ranges.h"
#include "download/join_url.h"
#include "download/speed_math.h"

TEST(JoinUrl, JoinsBaseAndPathWithOneSlash) {
    struct Case {
        const char* base;
        const char* path;
        const char* want;
    } const cases[] = {
        {"", "a.txt", "a.txt"},
        {"http://h/x/", "a.txt", "http://h/x/a.txt"},
        {"http://h/x", "a.txt", "http://h/x/a.txt"},
        {"get/urls", "", "get/urls/"},
        {"get/urls", "{\"a\":1}", "get/urls/{\"a\":1}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.base);
        EXPECT_EQ(JoinUrl(c.base, c.path), c.want);
    }
}

TEST(SplitIntoRanges, CutsAt32MiB) {
    struct Case {
        std::int32_t size;
        std::vector<ChunkInfo> want;
    } const cases[] = {
        {1, {{0, 0, 0}}},
        {33554432, {{0, 0, 33554431}}},
        {33554433, {{0, 0, 33554431}, {1, 33554432, 33554432}}},
        {67108864, {{0, 0, 33554431}, {1, 33554432, 67108863}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        EXPECT_EQ(SplitIntoRanges(c.size), c.want);
    }
    // The largest size: 64 ranges, the last ending at the last byte without overflowing.
    const std::vector<ChunkInfo> largest = SplitIntoRanges(2147483647);
    ASSERT_EQ(largest.size(), 64u);
    EXPECT_EQ(largest.back().begin, 63 * 33554432);
    EXPECT_EQ(largest.back().end, 2147483646);
}

TEST(RangesFitFile, RefusesRecordsThatCannotDescribeTheFile) {
    struct Case {
        const char* what;
        std::int32_t size;
        std::vector<ChunkInfo> ranges;
        bool fits;
    } const cases[] = {
        {"fresh split", 33554433, {{0, 0, 33554431}, {1, 33554432, 33554432}}, true},
        {"one range done, one half done", 33554433, {{0, 33554432, 33554431}, {1, 33554432, 33554432}}, true},
        {"negative begin", 100, {{0, -5, 99}}, false},
        {"begin past end + 1", 100, {{0, 60, 40}}, false},
        {"end past the file", 100, {{0, 0, 100}}, false},
        {"overlapping ranges", 33554433, {{0, 0, 33554431}, {1, 33554431, 33554432}}, false},
        {"more ranges than the file has", 10, {{0, 0, 4}, {1, 5, 9}}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RangesFitFile(c.ranges, c.size), c.fits);
    }
}

TEST(SpeedMath, CapsSamplesAndRemainingTime) {
    LauncherSettings settings;
    settings.downloadLimit = true;
    settings.downloadSpeed = 4096;
    settings.predlcLimit = false;
    EXPECT_EQ(SpeedCapForMode(settings, 0), 835584);  // 4096 units of 204 bytes
    EXPECT_EQ(SpeedCapForMode(settings, 1), 0);       // flag off: no cap
    settings.downloadSpeed = 0;
    EXPECT_EQ(SpeedCapForMode(settings, 0), 0);       // flag on, speed 0: no cap either

    EXPECT_EQ(BatchSpeed({1.9}, 0), 1);                // truncated, at least one transfer
    EXPECT_EQ(BatchSpeed({100.0, 201.0}, 3), 450);     // mean 150 per transfer, three running
    EXPECT_EQ(BatchSpeed({}, 5), 0);
    EXPECT_EQ(BatchSpeed({1e300}, 1), 2147483647);     // no overflow from a wild sample

    EXPECT_EQ(RemainingSeconds(1000, 400, 100), 6);
    EXPECT_EQ(RemainingSeconds(1000, 1200, 100), 0);   // more done than the batch: unknown
    EXPECT_EQ(RemainingSeconds(1000, 0, 0), 0);
}
