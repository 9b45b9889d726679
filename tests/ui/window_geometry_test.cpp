#include "ui/window_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(WindowGeometry, CentredPositionRoundsHalvesTowardZeroAndClampsOnlyWhenAsked) {
    struct Case {
        const char* name;
        RECT window, centre, work;
        bool clamp;
        POINT want;
    } const cases[] = {
        {"odd sizes", {0, 0, 101, 51}, {0, 0, 1001, 601}, {0, 0, 1001, 601}, true, {450, 275}},
        {"negative centre", {0, 0, 100, 50}, {-901, -11, 0, 0}, {-2000, -2000, 2000, 2000}, true, {-500, -30}},
        {"past the left and top", {0, 0, 400, 300}, {0, 0, 100, 100}, {0, 0, 1000, 800}, true, {0, 0}},
        {"past the right and bottom", {0, 0, 400, 300}, {900, 700, 1000, 800}, {0, 0, 1000, 800}, true, {600, 500}},
        {"over an owner: not clamped", {0, 0, 400, 300}, {900, 700, 1000, 800}, {0, 0, 1000, 800}, false, {750, 600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const POINT at = ui::CenteredPosition(c.window, c.centre, c.work, c.clamp);
        EXPECT_EQ(at.x, c.want.x);
        EXPECT_EQ(at.y, c.want.y);
    }
}

TEST(WindowGeometry, UpdateWidensWhereTheWindowLeavesTheVirtualScreen) {
    const RECT client{0, 0, 300, 200};
    struct Case {
        const char* name;
        RECT window, update, screen, want;
    } const cases[] = {
        {"inside", {100, 100, 400, 300}, {10, 10, 50, 50}, {0, 0, 1920, 1080}, {10, 10, 50, 50}},
        {"cut at the left and top", {-50, -20, 250, 180}, {50, 20, 300, 200}, {0, 0, 1920, 1080}, {0, 0, 300, 200}},
        {"cut at the right and bottom", {1800, 1000, 2100, 1200}, {0, 0, 120, 80}, {0, 0, 1920, 1080},
         {0, 0, 300, 200}},
        {"outside, but not cut at the edge", {-50, 0, 250, 200}, {60, 0, 300, 200}, {0, 0, 1920, 1080},
         {60, 0, 300, 200}},
        // A screen left of the primary one: the right edge is left + width, not the width.
        {"screen starting left of zero", {1800, 0, 2100, 200}, {0, 0, 120, 200}, {-1920, 0, 1920, 1080},
         {0, 0, 300, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(Same(ui::WidenUpdateForVirtualScreen(c.update, client, c.window, c.screen), c.want));
    }
}

TEST(WindowGeometry, AutoSizeStaysWithinLimits) {
    struct Case {
        const char* name;
        SIZE estimate, minimum, maximum, want;
    } const cases[] = {
        {"unlimited", {120, 80}, {-1, -1}, {9999999, 9999999}, {120, 80}},
        {"raised", {120, 80}, {200, 100}, {9999999, 9999999}, {200, 100}},
        {"lowered", {120, 80}, {-1, -1}, {100, 60}, {100, 60}},
        {"negative maxima are no limits", {120, 80}, {-1, -1}, {-1, -2}, {120, 80}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SIZE size = ui::ClampToLimits(c.estimate, c.minimum, c.maximum);
        EXPECT_EQ(size.cx, c.want.cx);
        EXPECT_EQ(size.cy, c.want.cy);
    }
}

TEST(WindowGeometry, AlphaRepairByCase) {
    ui::AlphaRepairInput shadow;
    shadow.paint = RECT{0, 0, 200, 100};
    shadow.rootContent = RECT{14, 14, 186, 86};
    shadow.rootPadding = RECT{14, 14, 14, 14};
    shadow.shadowAttached = true;
    shadow.alphaFixCorner = RECT{5, 5, 5, 5};  // ignored with a shadow
    auto repair = ui::ChooseAlphaRepair(shadow);
    ASSERT_TRUE(repair);
    EXPECT_TRUE(Same(repair->rect, RECT{14, 14, 186, 86}));
    EXPECT_TRUE(Same(repair->corners, RECT{15, 15, 15, 15}));

    ui::AlphaRepairInput fix = shadow;
    fix.shadowAttached = false;
    fix.rootContent = RECT{0, 0, 200, 100};
    fix.alphaFixCorner = RECT{0, 0, 0, 6};
    fix.paint = RECT{50, 20, 120, 100};  // a partial repaint: repaired up to the band only
    repair = ui::ChooseAlphaRepair(fix);
    ASSERT_TRUE(repair);
    EXPECT_TRUE(Same(repair->rect, RECT{50, 20, 120, 94}));
    EXPECT_TRUE(Same(repair->corners, RECT{}));

    ui::AlphaRepairInput design;
    design.designSize = SIZE{101, 61};
    design.edging = RECT{2, 3, 4, 5};
    design.windowSize = SIZE{401, 301};
    design.paint = RECT{0, 0, 10, 10};  // the dialog's rectangle, whatever was painted
    repair = ui::ChooseAlphaRepair(design);
    ASSERT_TRUE(repair);
    EXPECT_TRUE(Same(repair->rect, RECT{2 - 50 + 200, 3 - 30 + 150, 50 - 4 + 200, 30 - 5 + 150}));

    ui::AlphaRepairInput none = design;
    none.designSize = SIZE{0, 61};
    EXPECT_FALSE(ui::ChooseAlphaRepair(none));
}

TEST(WindowGeometry, HeightFromWorkAreaIsBoundedForAnyFraction) {
    struct Case {
        const char* name;
        double fraction;
        int minHeight, maxHeight, want;
    } const cases[] = {
        {"truncated", 0.5, 0, 0, 520},
        {"raised to the minimum", 0.1, 300, 0, 300},
        {"lowered to the maximum", 0.9, 0, 700, 700},
        {"not a number", std::nan(""), 0, 0, 0},
        {"infinite", std::numeric_limits<double>::infinity(), 0, 0, 0},
        {"beyond int", 1e300, 0, 900, 900},
        {"negative", -2.0, 200, 0, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ui::HeightFromWorkArea(1041, c.fraction, c.minHeight, c.maxHeight), c.want);
    }
}

TEST(WindowGeometry, SizeBoxAndCaptionHitTests) {
    const RECT client{14, 14, 314, 214};  // inside a 14-pixel shadow
    const RECT box{4, 4, 4, 4};
    struct Case {
        POINT point;
        UINT want;
    } const cases[] = {
        {{5, 5}, HTCLIENT},        {{14, 14}, HTTOPLEFT},     {{17, 100}, HTLEFT},      {{100, 15}, HTTOP},
        {{314, 14}, HTTOPRIGHT},   {{311, 100}, HTRIGHT},     {{320, 100}, HTCLIENT},   {{14, 214}, HTBOTTOMLEFT},
        {{314, 214}, HTBOTTOMRIGHT}, {{100, 212}, HTBOTTOM},  {{100, 220}, HTCLIENT},   {{100, 100}, HTNOWHERE},
        {{5, 15}, HTTOP},  // the shadow beside the top band still sizes from the top
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        EXPECT_EQ(ui::SizeBoxHitTest(c.point, client, box), c.want);
    }
    EXPECT_EQ(ui::SizeBoxHitTest(POINT{14, 14}, client, RECT{}), HTNOWHERE);

    const RECT caption{0, 0, 40, 30};  // right is an inset, bottom a distance from the top
    EXPECT_TRUE(ui::InCaption(POINT{14, 14}, client, caption));
    EXPECT_TRUE(ui::InCaption(POINT{273, 43}, client, caption));
    EXPECT_FALSE(ui::InCaption(POINT{274, 20}, client, caption));
    EXPECT_FALSE(ui::InCaption(POINT{100, 44}, client, caption));
    EXPECT_FALSE(ui::InCaption(POINT{13, 20}, client, caption));
}

}  // namespace
