#include "base/pump_wait_time.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

using namespace kbase::internal;

constexpr std::int64_t kNow = 5'000'000'000;         // about 83 minutes after boot, in µs
constexpr std::int64_t kHundredDaysMs = 8'640'000'000;
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

TEST(PumpWaitTime, MillisecondsUntilRoundsUp) {
    struct Case { std::int64_t due_time; std::int64_t want; } const cases[] = {
        {0, -1},  // nothing due
        {kNow - 1, 0},
        {kNow, 0},
        {kNow + 1, 1},
        {kNow + 1000, 1},
        {kNow + 1500, 2},
        {kNow + 3000, 3},
        {kMax, (kMax - kNow) / 1000 + 1},  // no overflow on the way
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.due_time);
        EXPECT_EQ(MillisecondsUntil(c.due_time, kNow), c.want);
    }
}

TEST(PumpWaitTime, UITimerStaysBetweenTenMillisecondsAndTheLongestFiniteWait) {
    struct Case { std::int64_t milliseconds; std::uint32_t want; } const cases[] = {
        {0, 10},
        {3, 10},
        {10, 10},
        {11, 11},
        {4294967294, 4294967294u},
        {4294967295, 4294967294u},  // would be the infinite wait
        {kHundredDaysMs, 4294967294u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.milliseconds);
        EXPECT_EQ(TimerMilliseconds(c.milliseconds), c.want);
    }
    EXPECT_EQ(TimerMilliseconds(MillisecondsUntil(kNow + 3000, kNow)), 10u);
    EXPECT_EQ(TimerMilliseconds(MillisecondsUntil(kNow + kHundredDaysMs * 1000, kNow)), 4294967294u);
}

TEST(PumpWaitTime, WaitsAreInfiniteOnlyWhenNothingIsDue) {
    struct Case { std::int64_t milliseconds; std::uint32_t want; } const cases[] = {
        {-1, kInfiniteWaitMs},
        {0, 0},
        {2, 2},
        {4294967295, 4294967294u},
        {kHundredDaysMs, 4294967294u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.milliseconds);
        EXPECT_EQ(WaitMilliseconds(c.milliseconds), c.want);
    }
}

TEST(PumpWaitTime, DefaultPumpWaitRoundsUpAndNeverWraps) {
    struct Case { kbase::TimeDelta delay; std::uint32_t want; } const cases[] = {
        {1, 1},
        {1000, 1},
        {1500, 2},
        {4294967294000, 4294967294u},
        {4294967295000, 4294967294u},  // 32 bits would make it infinite
        {4294967296000, 4294967294u},  // 32 bits would make it 0: a busy loop
        {kHundredDaysMs * 1000, 4294967294u},
        {kMax, 4294967294u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.delay);
        EXPECT_EQ(DefaultPumpWaitMilliseconds(c.delay), c.want);
    }
}

}  // namespace
