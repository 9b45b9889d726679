#include "ui/scroll_bar.h"

#include <memory>

#include <gtest/gtest.h>

#include "tests/ui/support/rect_compare.h"
#include "tests/ui/timer_test_support.h"
#include "ui/scroll_bar_geometry.h"

namespace {

using ui::LayOutScrollBar;
using ui::ScrollBar;
using ui::ScrollBarParts;
using ui::ScrollBarShape;

ScrollBarShape VerticalBar(int height, std::int64_t range, std::int64_t position, bool buttons = true) {
    ScrollBarShape shape;
    shape.rect = RECT{0, 0, 16, height};
    shape.thickness = 16;
    shape.showButton1 = buttons;
    shape.showButton2 = buttons;
    shape.range = range;
    shape.position = position;
    shape.thumbMinLength = 30;
    return shape;
}

struct GeometryCase {
    const char* what;
    ScrollBarShape shape;
    RECT button1;
    RECT button2;
    RECT thumb;
};

TEST(ScrollBarGeometryTest, PartsFollowTheRangeAndPosition) {
    const GeometryCase cases[] = {
        {"range as long as the bar, at the top", VerticalBar(100, 100, 0), {0, 0, 16, 16}, {0, 84, 16, 100}, {0, 16, 16, 50}},
        {"range as long as the bar, at the end", VerticalBar(100, 100, 100), {0, 0, 16, 16}, {0, 84, 16, 100}, {0, 50, 16, 84}},
        {"a long range raises the thumb to its minimum", VerticalBar(100, 10000, 0), {0, 0, 16, 16}, {0, 84, 16, 100}, {0, 16, 16, 46}},
        {"no range: the thumb fills the track", VerticalBar(100, 0, 0), {0, 0, 16, 16}, {0, 84, 16, 100}, {0, 16, 16, 84}},
        {"no room for a thumb", VerticalBar(40, 100, 0), {0, 0, 16, 16}, {0, 24, 16, 40}, {0, 0, 0, 0}},
        {"buttons share a short bar", VerticalBar(20, 100, 0), {0, 0, 16, 10}, {0, 10, 16, 20}, {0, 0, 0, 0}},
        {"hidden buttons leave the whole length", VerticalBar(100, 100, 100, false), {0, 0, 0, 0}, {0, 100, 0, 100}, {0, 50, 16, 100}},
        // The minimum length (30) is more than the track (18): the thumb stays between the buttons.
        {"the thumb never outgrows its track", VerticalBar(50, 100, 100), {0, 0, 16, 16}, {0, 34, 16, 50}, {0, 16, 16, 34}},
    };
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(c.what);
        const ScrollBarParts parts = LayOutScrollBar(c.shape);
        EXPECT_EQ(parts.button1, c.button1);
        EXPECT_EQ(parts.button2, c.button2);
        EXPECT_EQ(parts.thumb, c.thumb);
    }
}

TEST(ScrollBarGeometryTest, HorizontalBarIsLaidOutAlongX) {
    ScrollBarShape shape = VerticalBar(0, 100, 100);
    shape.horizontal = true;
    shape.rect = RECT{10, 5, 110, 21};
    const ScrollBarParts parts = LayOutScrollBar(shape);
    EXPECT_EQ(parts.button1, (RECT{10, 5, 26, 21}));
    EXPECT_EQ(parts.button2, (RECT{94, 5, 110, 21}));
    EXPECT_EQ(parts.thumb, (RECT{60, 5, 94, 21}));
}

TEST(ScrollBarGeometryTest, DragOffsetNeedsRoomToMove) {
    EXPECT_EQ(ui::DragOffset(34, 100, 34), 100);  // the whole track is the whole range
    EXPECT_EQ(ui::DragOffset(-17, 100, 34), -50);
    EXPECT_EQ(ui::DragOffset(20, 100, 0), 0);
    EXPECT_EQ(ui::DragOffset(20, 100, -12), 0);  // a thumb longer than its room moves nothing
}

// A free vertical bar of height 100 (both buttons, thickness 16) at the window's origin.
std::unique_ptr<ScrollBar> FreeBar(std::int64_t range) {
    auto bar = std::make_unique<ScrollBar>();
    bar->SetScrollRange(range);
    bar->SetPos(RECT{0, 0, 16, 100});
    return bar;
}

void Press(ScrollBar& bar, int type, POINT point) {
    ui::Control::SendEvent(&bar, type, 0, 0, 0, point);
}

TEST(ScrollBarTest, AttributesClampAndTurnTheBar) {
    ScrollBar bar;
    bar.SetAttribute(L"range", L"-5");
    EXPECT_EQ(bar.GetScrollRange(), 0);
    EXPECT_FALSE(bar.IsVisible());
    bar.SetAttribute(L"range", L"50");
    bar.SetAttribute(L"value", L"80");
    EXPECT_EQ(bar.GetScrollPos(), 50);
    bar.SetAttribute(L"range", L"20");
    EXPECT_EQ(bar.GetScrollPos(), 20);

    bar.SetAttribute(L"hor", L"true");
    EXPECT_TRUE(bar.IsHorizontal());
    EXPECT_EQ(bar.GetFixedHeight(), 16);
    EXPECT_EQ(bar.GetFixedWidth(), 0);
}

TEST(ScrollBarTest, FreeBarStepsByLinesAndPages) {
    auto bar = FreeBar(1000);
    Press(*bar, ui::kEventMouseButtonDown, POINT{8, 90});  // button 2
    Press(*bar, ui::kEventMouseButtonUp, POINT{8, 90});
    EXPECT_EQ(bar->GetScrollPos(), 8);
    Press(*bar, ui::kEventMouseButtonDown, POINT{8, 5});  // button 1
    Press(*bar, ui::kEventMouseButtonUp, POINT{8, 5});
    EXPECT_EQ(bar->GetScrollPos(), 0);
    Press(*bar, ui::kEventMouseButtonDown, POINT{8, 70});  // the rail below the thumb
    Press(*bar, ui::kEventMouseButtonUp, POINT{8, 70});
    EXPECT_EQ(bar->GetScrollPos(), 100);
}

TEST(ScrollBarTest, HeldButtonRepeatsUntilReleased) {
    auto bar = FreeBar(1000);
    Press(*bar, ui::kEventMouseButtonDown, POINT{8, 90});
    EXPECT_EQ(bar->GetScrollPos(), 8);
    EXPECT_TRUE(ui_test::PumpMessagesUntil([&bar] { return bar->GetScrollPos() >= 24; }));
    Press(*bar, ui::kEventMouseButtonUp, POINT{8, 90});
    const std::int64_t released = bar->GetScrollPos();
    ASSERT_TRUE(ui_test::PassTime(200));
    EXPECT_EQ(bar->GetScrollPos(), released);
}

TEST(ScrollBarTest, DraggingTheThumbAcrossTheTrackCoversTheRange) {
    auto bar = FreeBar(100);  // thumb 16..50, track 34
    Press(*bar, ui::kEventMouseButtonDown, POINT{8, 20});
    ASSERT_EQ(bar->GetThumbState(), ui::kControlStatePushed);
    Press(*bar, ui::kEventMouseMove, POINT{8, 54});
    EXPECT_TRUE(ui_test::PumpMessagesUntil([&bar] { return bar->GetScrollPos() == 100; }));
    EXPECT_EQ(bar->GetParts().thumb, (RECT{0, 50, 16, 84}));
    Press(*bar, ui::kEventMouseButtonUp, POINT{200, 200});
    EXPECT_EQ(bar->GetThumbState(), ui::kControlStateNormal);
}

TEST(ScrollBarTest, FreeBarWithoutOwnerTakesEveryEventSafely) {
    auto bar = FreeBar(100);  // auto-hide is on, but there is no owner's area to leave
    Press(*bar, ui::kEventMouseButtonDown, POINT{8, 20});
    Press(*bar, ui::kEventMouseButtonUp, POINT{300, 300});
    Press(*bar, ui::kEventMouseScrollWheel, POINT{8, 20});
    Press(*bar, ui::kEventKeyDown, POINT{8, 20});
    bar->SetMouseEnabled(false);
    Press(*bar, ui::kEventMouseButtonDown, POINT{8, 20});
    bar->SetAttribute(L"cursortype", L"ibeam");
    Press(*bar, ui::kEventSetCursor, POINT{8, 20});
    EXPECT_TRUE(bar->IsVisible());
}

}  // namespace
