#include "base/time.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr std::int64_t kWrap = std::int64_t{1} << 32;

TEST(WideningClock, KeepsIncreasingAcrossTheTimerWrap) {
    struct Case {
        const char* name;
        std::vector<std::uint32_t> readings;
        std::vector<std::int64_t> want;
    } const cases[] = {
        {"no wrap", {5, 5, 9}, {5, 5, 9}},
        {"one wrap", {0xFFFFFFF0u, 0xFFFFFFFFu, 3, 10}, {0xFFFFFFF0, 0xFFFFFFFF, kWrap + 3, kWrap + 10}},
        {"two wraps", {0xFFFFFFFFu, 0, 0xFFFFFFFFu, 1}, {0xFFFFFFFF, kWrap, kWrap + 0xFFFFFFFF, 2 * kWrap + 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        kbase::internal::WideningClock clock;
        std::vector<std::int64_t> got;
        for (std::uint32_t reading : c.readings) got.push_back(clock.Widen(reading));
        EXPECT_EQ(got, c.want);
    }
}

}  // namespace
