#include "ui/timer_manager.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

#include "tests/ui/timer_test_support.h"

namespace {

using ui::TimerManager;
using ui_test::PassTime;
using ui_test::PumpMessagesUntil;

void AddTimer(kbase::WeakCallbackFlag& flag, std::function<void()> callback, int periodMs, int repeat) {
    TimerManager::GetInstance()->AddCancelableTimer(flag.ObtainWeakFlag(), std::move(callback), periodMs, repeat);
}

std::int64_t Counter() {
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

TEST(TimerManagerWake, TicksFastWithinASecondAndSleepsOtherwise) {
    constexpr std::int64_t kFrequency = 10'000'000;
    struct Case {
        std::int64_t wait;
        std::int64_t frequency;
        UINT periodMs;
        bool fast;
    } const cases[] = {
        {1, kFrequency, 16, true},
        {kFrequency - 1, kFrequency, 16, true},
        {kFrequency, kFrequency, 1002, false},
        {5 * kFrequency + 5'000, kFrequency, 5002, false},  // 5000.5 ms, truncated
        {3, 0, 16, true},                                  // no counter: never divides by zero
        {65'534 * kFrequency, kFrequency, 65535, false},    // the longest period a timer takes
        {100'000 * kFrequency, kFrequency, 65535, false},
        {std::numeric_limits<std::int64_t>::max(), kFrequency, 65535, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wait);
        const ui::TimerWake wake = ui::WakeForWait(c.wait, c.frequency);
        EXPECT_EQ(wake.periodMs, c.periodMs);
        EXPECT_EQ(wake.fast, c.fast);
    }
}

TEST(TimerManagerWake, PeriodIsAtLeastOneTick) {
    struct Case {
        int periodMs;
        std::int64_t frequency;
        std::int64_t ticks;
    } const cases[] = {
        {16, 10'000'000, 160'000},
        {1000, 3'579'545, 3'579'545},
        {1, 999, 1},  // 0.999 ticks
        {0, 10'000'000, 1},
        {-5, 10'000'000, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.periodMs);
        EXPECT_EQ(ui::PeriodTicks(c.periodMs, c.frequency), c.ticks);
    }
}

TEST(TimerManager, FiresAsOftenAsTheRepeatCountSays) {
    struct Case {
        int repeat;
        int calls;
    } const cases[] = {{3, 3}, {1, 1}, {0, 1}, {-5, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.repeat);
        kbase::WeakCallbackFlag flag;
        int calls = 0;
        AddTimer(flag, [&calls] { ++calls; }, 5, c.repeat);
        ASSERT_TRUE(PumpMessagesUntil([&] { return calls == c.calls; }));
        ASSERT_TRUE(PassTime(50));
        EXPECT_EQ(calls, c.calls);
    }
}

TEST(TimerManager, EndlessTimerRunsUntilItsFlagIsCancelled) {
    kbase::WeakCallbackFlag flag;
    int calls = 0;
    AddTimer(flag, [&] { if (++calls == 4) flag.Cancel(); }, 2, -1);
    ASSERT_TRUE(PumpMessagesUntil([&calls] { return calls == 4; }));
    ASSERT_TRUE(PassTime(50));
    EXPECT_EQ(calls, 4);
}

TEST(TimerManager, TimerOfACancelledOrDestroyedFlagIsNeverCalled) {
    int calls = 0;
    kbase::WeakCallbackFlag cancelled;
    AddTimer(cancelled, [&calls] { ++calls; }, 1, -1);
    cancelled.Cancel();
    {
        kbase::WeakCallbackFlag destroyed;
        AddTimer(destroyed, [&calls] { ++calls; }, 1, 1);
    }
    ASSERT_TRUE(PassTime(30));
    EXPECT_EQ(calls, 0);
}

TEST(TimerManager, CallbackThatQueuesTimersDuringThePollKeepsTheQueueWhole) {
    constexpr int kAdded = 50;  // enough to move the queue's storage
    kbase::WeakCallbackFlag flag;
    int outerCalls = 0;
    int addedCalls = 0;
    AddTimer(flag, [&] {
        if (++outerCalls > 1) return;
        for (int i = 0; i < kAdded; ++i) AddTimer(flag, [&addedCalls] { ++addedCalls; }, i % 3, 1);
    }, 5, 3);
    ASSERT_TRUE(PumpMessagesUntil([&] { return outerCalls == 3 && addedCalls == kAdded; }));
    ASSERT_TRUE(PassTime(50));
    EXPECT_EQ(outerCalls, 3);
    EXPECT_EQ(addedCalls, kAdded);
}

TEST(TimerManager, TimerOfPeriodZeroRunsOncePerPoll) {
    kbase::WeakCallbackFlag flag;
    int pumpTurns = 0;
    std::vector<int> turnsAtCall;
    AddTimer(flag, [&] {
        turnsAtCall.push_back(pumpTurns);
        if (turnsAtCall.size() == 3) flag.Cancel();  // ends a poll that would never return
    }, 0, -1);
    // done() runs after every dispatched message, so it counts the pump's turns.
    ASSERT_TRUE(PumpMessagesUntil([&] {
        ++pumpTurns;
        return turnsAtCall.size() == 3;
    }));
    EXPECT_LT(turnsAtCall[0], turnsAtCall[1]);
    EXPECT_LT(turnsAtCall[1], turnsAtCall[2]);
}

TEST(TimerManager, TimerDueAfterMoreThanASecondWakesTheSleepingTimer) {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    constexpr int kPeriodMs = 1200;
    kbase::WeakCallbackFlag flag;
    const std::int64_t queued = Counter();
    std::int64_t ranAt = 0;
    AddTimer(flag, [&ranAt] { ranAt = Counter(); }, kPeriodMs, 1);
    ASSERT_TRUE(PumpMessagesUntil([&ranAt] { return ranAt != 0; }, 5000));
    EXPECT_GE(ranAt - queued, kPeriodMs * frequency.QuadPart / 1000);
}

}  // namespace
