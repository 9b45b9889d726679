#include <gtest/gtest.h>

#include "update/enter_game_state.h"

namespace {

TEST(EnterGamePeriods, IntervalsOutsideOneTo99MinutesTakeTheDefaults) {
    struct Case {
        int refresh, update;
        std::uint32_t refreshMs, launcherCheckMs, pollMs;
    } const cases[] = {
        {0, 0, 28800000, 43200000, 1860000},
        {100, 100, 28800000, 43200000, 1860000},
        {-5, -5, 28800000, 43200000, 1860000},
        {1, 5, 60000, 300000, 360000},
        {99, 99, 5940000, 5940000, 6000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.refresh << "/" << c.update);
        const EnterGamePeriods periods = ComputeEnterGamePeriods(c.refresh, c.update);
        EXPECT_EQ(periods.refreshMs, c.refreshMs);
        EXPECT_EQ(periods.launcherCheckMs, c.launcherCheckMs);
        EXPECT_EQ(periods.pollMs, c.pollMs);
    }
}

}  // namespace
