#include "ui/animation_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "tests/ui/timer_test_support.h"

namespace {

using ui::AnimationPlayer;
using ui::EasingCurve;
using ui_test::PassTime;
using ui_test::PumpMessagesUntil;

EasingCurve Curve(double speedUpRatio, double slowDownRatio, double speedUpFactor = 0, double slowDownFactor = 0) {
    EasingCurve curve;
    curve.speedUpRatio = speedUpRatio;
    curve.slowDownRatio = slowDownRatio;
    curve.speedUpFactor = speedUpFactor;
    curve.slowDownFactor = slowDownFactor;
    return curve;
}

// Never falls back and ends exactly at the distance.
void ExpectRunsUpToTheEnd(const EasingCurve& curve, double distance, int totalTime) {
    double previous = 0;
    for (double t = 0; t <= totalTime + 10; t += 0.5) {
        const double covered = curve.DistanceAt(t, distance, totalTime);
        ASSERT_GE(covered, previous) << "t=" << t;
        ASSERT_LE(covered, distance) << "t=" << t;
        previous = covered;
    }
    EXPECT_EQ(curve.DistanceAt(totalTime, distance, totalTime), distance);
}

TEST(EasingCurve, GivenTotalTimeFollowsTheCurve) {
    struct Case {
        const char* name;
        EasingCurve curve;
        double distance;
        int totalTime;
        std::vector<std::pair<double, double>> points;  // elapsed ms, distance covered
    } const cases[] = {
        {"linear", Curve(0, 0), 100, 200, {{0, 0}, {50, 25}, {199, 99}, {200, 100}, {1000, 100}}},
        {"hot fade", Curve(0.3, 0.7), 255, 250, {{0, 0}, {10, 1}, {75, 76}, {125, 163}, {200, 240}, {249.9, 254}, {250, 255}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EasingCurve curve = c.curve;
        ASSERT_EQ(curve.Prepare(c.distance, c.totalTime), c.totalTime);
        for (const auto& [elapsed, covered] : c.points) EXPECT_EQ(curve.DistanceAt(elapsed, c.distance, c.totalTime), covered) << elapsed;
        ExpectRunsUpToTheEnd(curve, c.distance, c.totalTime);
    }
}

TEST(EasingCurve, TotalTimeFromTheFactors) {
    struct Case {
        const char* name;
        EasingCurve curve;
        int maxTotalTime;
        double distance;
        int totalTime;
    } const cases[] = {
        // sqrt(D / 0.009): constant speed, then slowing down to rest.
        {"line scroll", Curve(0, 0.5, 0, -0.012), 1000000, 900, 316},
        {"line scroll short", Curve(0, 0.5, 0, -0.012), 1000000, 9, 31},
        // sqrt(D / 0.0009) up to a ceiling of 650 ms.
        {"jump to end", Curve(0.3, 0.7, 0.003), 650, 360, 632},
        {"jump to end capped", Curve(0.3, 0.7, 0.003), 650, 900, 650},
        {"unfold width", Curve(0.3, 0.7, 0.00084), 1000000, 100, 629},
        {"slide in", Curve(0.3, 0.7, 0.006), 1000000, 100, 235},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EasingCurve curve = c.curve;
        curve.maxTotalTime = c.maxTotalTime;
        ASSERT_EQ(curve.Prepare(c.distance, -1), c.totalTime);
        ExpectRunsUpToTheEnd(curve, c.distance, c.totalTime);
        // The curve itself arrives, also with a capped time: no jump at the end beyond what the
        // truncated total time loses.
        EXPECT_GE(curve.DistanceAt(c.totalTime - 0.01, c.distance, c.totalTime), c.distance * 0.95 - 1);
    }
}

TEST(EasingCurve, CurveWithoutSpeedTimeOrDistanceIsAtItsEndAtOnce) {
    struct Case {
        const char* name;
        EasingCurve curve;
        int maxTotalTime;
        double distance;
        int totalTime;
    } const cases[] = {
        {"linear without speed", Curve(0, 0), 1000000, 100, -1},
        {"linear in no time", Curve(0, 0), 1000000, 100, 0},
        {"eased without factor", Curve(0.3, 0.7), 1000000, 100, -1},
        {"eased in no time", Curve(0.3, 0.7, 0.006), 1000000, 100, 0},
        {"slow-down only in no time", Curve(0, 0.5, 0, -0.012), 1000000, 100, 0},
        {"nothing to cover", Curve(0.3, 0.7, 0.006), 1000000, 0, -1},
        {"ceiling of 0", Curve(0.3, 0.7, 0.006), 0, 100, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EasingCurve curve = c.curve;
        curve.maxTotalTime = c.maxTotalTime;
        ASSERT_EQ(curve.Prepare(c.distance, c.totalTime), 0);
        EXPECT_EQ(curve.DistanceAt(0, c.distance, 0), c.distance);
        for (double value : {curve.speedUpFactor, curve.slowDownFactor, curve.constantSpeed, curve.slowDownStartSpeed,
                             curve.constantTime}) {
            EXPECT_TRUE(std::isfinite(value));
        }
    }
}

// A player with its values and completions recorded.
struct RecordedPlayer {
    RecordedPlayer(int start, int end, int totalTime, double speedUpRatio = 0, double slowDownRatio = 0) {
        player.SetStartValue(start);
        player.SetEndValue(end);
        player.SetTotalTime(totalTime);
        player.SetSpeedUpRatio(speedUpRatio);
        player.SetSpeedDownRatio(slowDownRatio);
        player.SetValueCallback([this](int value) { values.push_back(value); });
        player.SetCompleteCallback([this] { ++completions; });
    }
    bool WaitForCompletion(int count = 1) {
        return PumpMessagesUntil([this, count] { return completions >= count; });
    }

    AnimationPlayer player;
    std::vector<int> values;
    int completions = 0;
};

TEST(AnimationPlayer, RunWithNothingToAnimateCompletesAtOnceAndForGood) {
    struct Case {
        const char* name;
        int start;
        int end;
        int totalTime;
        std::vector<int> values;
    } const cases[] = {
        {"start equal to end", 40, 40, 250, {}},
        {"no time", 0, 100, 0, {100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordedPlayer recorded(c.start, c.end, c.totalTime, 0.3, 0.7);
        recorded.player.Play();
        EXPECT_EQ(recorded.completions, 1);
        EXPECT_FALSE(recorded.player.IsPlaying());
        ASSERT_TRUE(PassTime(30));
        EXPECT_EQ(recorded.completions, 1);
        EXPECT_EQ(recorded.values, c.values);
    }
}

TEST(AnimationPlayer, RunEndsWithExactlyTheEndValueAndStopsStepping) {
    struct Case {
        int start;
        int end;
        int totalTime;
        double speedUpRatio;
        double slowDownRatio;
    } const cases[] = {
        {0, 255, 100, 0.3, 0.7},
        {0, 1000, 30, 0, 0},  // a step every millisecond, values skipped
        {300, -700, 30, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.end);
        RecordedPlayer recorded(c.start, c.end, c.totalTime, c.speedUpRatio, c.slowDownRatio);
        recorded.player.Play();
        ASSERT_TRUE(recorded.WaitForCompletion());
        ASSERT_FALSE(recorded.values.empty());
        EXPECT_EQ(recorded.values.back(), c.end);
        const int direction = c.start < c.end ? 1 : -1;
        for (std::size_t i = 1; i < recorded.values.size(); ++i) {
            EXPECT_GT((recorded.values[i] - recorded.values[i - 1]) * direction, 0) << i;
        }
        const std::size_t delivered = recorded.values.size();
        ASSERT_TRUE(PassTime(50));
        EXPECT_EQ(recorded.values.size(), delivered);
        EXPECT_EQ(recorded.completions, 1);
        EXPECT_FALSE(recorded.player.IsPlaying());
    }
}

TEST(AnimationPlayer, ReverseOfAFreshPlayerRunsTheWholeWayBack) {
    RecordedPlayer recorded(0, 100, 100);
    recorded.player.Reverse();
    EXPECT_TRUE(recorded.player.IsPlaying());
    EXPECT_EQ(recorded.completions, 0);
    EXPECT_EQ(recorded.player.GetStartValue(), 100);
    EXPECT_EQ(recorded.player.GetEndValue(), 0);
    ASSERT_TRUE(recorded.WaitForCompletion());
    EXPECT_GT(recorded.values.size(), 1u);
    EXPECT_EQ(recorded.values.back(), 0);
}

TEST(AnimationPlayer, StopHoldsTheValueAndContinueFinishesTheRun) {
    RecordedPlayer recorded(0, 100, 400);
    recorded.player.Play();
    ASSERT_TRUE(PumpMessagesUntil([&] { return !recorded.values.empty(); }));
    recorded.player.Stop();
    const std::size_t delivered = recorded.values.size();
    ASSERT_TRUE(PassTime(30));
    EXPECT_EQ(recorded.values.size(), delivered);
    recorded.player.Continue();
    ASSERT_TRUE(recorded.WaitForCompletion());
    EXPECT_EQ(recorded.values.back(), 100);
}

TEST(AnimationPlayer, CompletionCallbackMayPlayAgain) {
    RecordedPlayer recorded(0, 50, 30);
    recorded.player.SetCompleteCallback([&recorded] {
        if (++recorded.completions == 1) recorded.player.Play();
    });
    recorded.player.Play();
    ASSERT_TRUE(recorded.WaitForCompletion(2));
    EXPECT_EQ(std::count(recorded.values.begin(), recorded.values.end(), 50), 2);
}

TEST(AnimationPlayer, DestroyedPlayerNeverSteps) {
    int calls = 0;
    auto player = std::make_unique<AnimationPlayer>();
    player->SetEndValue(255);
    player->SetTotalTime(1000);
    player->SetValueCallback([&calls](int) { ++calls; });
    player->Play();
    ASSERT_TRUE(player->IsPlaying());
    const int before = calls;
    player.reset();
    ASSERT_TRUE(PassTime(50));
    EXPECT_EQ(calls, before);
}

}  // namespace
