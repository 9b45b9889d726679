#include "ui/animation_manager.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/ui/timer_test_support.h"
#include "ui/animation_player.h"
#include "ui/control.h"

namespace {

using ui::AnimationManager;
using ui::AnimationPlayer;
using ui::Control;
using ui_test::PassTime;
using ui_test::PumpMessagesUntil;

void FixSize(Control& control, int width, int height) {
    control.SetFixedWidth(width, false, false);
    control.SetFixedHeight(height, false);
}

// A window-less control of a fixed size.
class AnimationManagerTest : public testing::Test {
protected:
    AnimationManagerTest() { FixSize(control_, 40, 30); }
    AnimationManager& Manager() { return control_.GetAnimationManager(); }
    bool WaitUntilDone(ui::AnimationType type) {
        AnimationPlayer* const player = Manager().GetAnimationPlayer(type);
        return player && PumpMessagesUntil([player] { return !player->IsPlaying(); });
    }

    Control control_;
};

TEST_F(AnimationManagerTest, FadeAlphaDisappearsTowardsZeroThenHidesAndAppearsBack) {
    Manager().SetFadeAlpha(true);
    Manager().Disappear();
    EXPECT_TRUE(control_.IsVisible());  // hidden by the end of the run, not at once
    std::vector<int> alphas;
    ASSERT_TRUE(PumpMessagesUntil([&] {
        alphas.push_back(control_.GetAlpha());
        return !control_.IsVisible();
    }));
    EXPECT_EQ(control_.GetAlpha(), 0);
    for (std::size_t i = 1; i < alphas.size(); ++i) EXPECT_LE(alphas[i], alphas[i - 1]) << i;

    Manager().Appear();
    EXPECT_TRUE(control_.IsVisible());
    ASSERT_TRUE(WaitUntilDone(ui::kAnimationAlpha));
    EXPECT_EQ(control_.GetAlpha(), 255);
    ASSERT_TRUE(PassTime(30));
    EXPECT_TRUE(control_.IsVisible());  // the hide of the earlier run is gone
}

TEST_F(AnimationManagerTest, DisappearWithoutShowPlayersHidesAtOnceEvenWithAHotFade) {
    Manager().SetFadeHot(true);
    Manager().Disappear();
    EXPECT_FALSE(control_.IsVisible());
    EXPECT_FALSE(Manager().GetAnimationPlayer(ui::kAnimationHot)->IsPlaying());
}

TEST(AnimationManagerAppear, RunsEachShowPlayerToItsEnd) {
    struct Case {
        const char* name;
        ui::AnimationType type;
        std::function<AnimationPlayer*(AnimationManager&)> enable;
        std::function<int(const Control&)> read;
        int end;
    } const cases[] = {
        {"alpha", ui::kAnimationAlpha, [](AnimationManager& m) { return m.SetFadeAlpha(true); },
         [](const Control& c) { return c.GetAlpha(); }, 255},
        {"width", ui::kAnimationWidth, [](AnimationManager& m) { return m.SetFadeWidth(true); },
         [](const Control& c) { return c.GetFixedWidth(); }, 40},
        {"height", ui::kAnimationHeight, [](AnimationManager& m) { return m.SetFadeHeight(true); },
         [](const Control& c) { return c.GetFixedHeight(); }, 30},
        {"from left", ui::kAnimationInOutXFromLeft, [](AnimationManager& m) { return m.SetFadeInOutX(true, false); },
         [](const Control& c) { return c.GetRenderOffset().x; }, 0},
        {"from bottom", ui::kAnimationInOutYFromBottom,
         [](AnimationManager& m) { return m.SetFadeInOutY(true, true); },
         [](const Control& c) { return c.GetRenderOffset().y; }, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Control control;
        FixSize(control, 40, 30);
        AnimationManager& manager = control.GetAnimationManager();
        AnimationPlayer* const player = c.enable(manager);
        ASSERT_EQ(player, manager.GetAnimationPlayer(c.type));
        manager.Appear();
        ASSERT_TRUE(PumpMessagesUntil([player] { return !player->IsPlaying(); }));
        EXPECT_EQ(c.read(control), c.end);
        EXPECT_TRUE(control.IsVisible());
    }
}

TEST_F(AnimationManagerTest, SlidesStartFromTheEstimatedSizeOr100) {
    struct Case {
        int width;
        int height;
        bool fromRightOrBottom;
        int startX;
        int startY;
    } const cases[] = {
        {0, 0, true, -100, -100},
        {0, 0, false, 100, 100},
        {40, 30, true, -40, -30},
        {40, 30, false, 40, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " " << c.fromRightOrBottom);
        FixSize(control_, c.width, c.height);
        AnimationPlayer* const x = Manager().SetFadeInOutX(true, c.fromRightOrBottom);
        AnimationPlayer* const y = Manager().SetFadeInOutY(true, c.fromRightOrBottom);
        EXPECT_EQ(x->GetStartValue(), c.startX);
        EXPECT_EQ(x->GetEndValue(), 0);
        EXPECT_EQ(y->GetStartValue(), c.startY);
        EXPECT_EQ(y->GetEndValue(), 0);
    }
}

TEST_F(AnimationManagerTest, PlayersAreReplacedAndRemovedByTheirOwnType) {
    AnimationPlayer* const fromRight = Manager().SetFadeInOutX(true, true);
    EXPECT_EQ(Manager().SetFadeInOutX(false, false), nullptr);
    EXPECT_EQ(Manager().GetAnimationPlayer(ui::kAnimationInOutXFromRight), fromRight);
    Manager().SetFadeInOutX(false, true);
    EXPECT_EQ(Manager().GetAnimationPlayer(ui::kAnimationInOutXFromRight), nullptr);

    EXPECT_EQ(Manager().SetFadeWidth(true)->GetEndValue(), 40);
    EXPECT_EQ(Manager().SetFadeWidth(false), nullptr);
    EXPECT_EQ(Manager().GetAnimationPlayer(ui::kAnimationWidth), nullptr);
    control_.SetFixedWidth(55, false, false);
    EXPECT_EQ(Manager().SetFadeWidth(true)->GetEndValue(), 55);  // measured again
}

}  // namespace
