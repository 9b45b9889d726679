// The arithmetic of progress bars and sliders: fills, thumbs and values from points, also for
// ranges whose maximum is not above the minimum.
#include "ui/value_range.h"

#include <climits>

#include <gtest/gtest.h>

#include "tests/ui/support/rect_compare.h"

namespace {

using ui::ValueRange;

TEST(ValueRange, AMaximumNotAboveTheMinimumCountsAsOneMore) {
    EXPECT_EQ((ValueRange{0, 100}).EffectiveMaximum(), 100.0);
    EXPECT_EQ((ValueRange{0, 0}).EffectiveMaximum(), 1.0);
    EXPECT_EQ((ValueRange{50, 10}).EffectiveMaximum(), 51.0);
    EXPECT_EQ((ValueRange{INT_MAX, INT_MAX}).Span(), 1.0);
    EXPECT_EQ((ValueRange{INT_MIN, INT_MAX}).Span(), 4294967295.0);
    EXPECT_EQ((ValueRange{0, 100}).Clamp(150), 100.0);
    EXPECT_EQ((ValueRange{0, 0}).Clamp(5), 1.0);
    EXPECT_EQ((ValueRange{10, 20}).Clamp(-3), 10.0);
}

TEST(ValueRange, ProgressFillsFromTheLeftOrFromTheBottom) {
    struct Case {
        const char* name;
        ValueRange range;
        double value;
        bool horizontal;
        SIZE size;
        RECT want;
    } const cases[] = {
        {"a quarter across", {0, 100}, 25, true, {200, 12}, {0, 0, 50, 12}},
        {"a quarter up", {0, 100}, 25, false, {12, 100}, {0, 75, 12, 100}},
        {"offset range", {100, 200}, 150, true, {200, 12}, {0, 0, 100, 12}},
        {"empty range at its minimum", {0, 0}, 0, true, {200, 12}, {0, 0, 0, 12}},
        {"empty range at one more", {0, 0}, 1, true, {200, 12}, {0, 0, 200, 12}},
        {"inverted range, vertical", {10, 5}, 10, false, {12, 100}, {0, 100, 12, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ui::ProgressFill(c.range, c.value, c.horizontal, c.size), c.want);
    }
}

TEST(ValueRange, SliderValueFromAPointHasItsEndsWithinHalfAThumb) {
    const RECT slider{100, 0, 210, 10};  // 110 wide
    const SIZE thumb{10, 10};
    struct Case {
        int x;
        double want;
    } const cases[] = {{105, 0}, {100, 0}, {155, 50}, {205, 100}, {300, 100}, {0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_DOUBLE_EQ(ui::SliderValueAt(ValueRange{0, 100}, true, slider, thumb, POINT{c.x, 5}), c.want);
    }
    // Vertical: the top is the maximum.
    const RECT column{0, 0, 10, 110};
    EXPECT_DOUBLE_EQ(ui::SliderValueAt(ValueRange{0, 100}, false, column, thumb, POINT{5, 5}), 100);
    EXPECT_DOUBLE_EQ(ui::SliderValueAt(ValueRange{0, 100}, false, column, thumb, POINT{5, 55}), 50);
    EXPECT_DOUBLE_EQ(ui::SliderValueAt(ValueRange{0, 100}, false, column, thumb, POINT{5, 105}), 0);
}

// Empty and inverted ranges, and a slider no wider than its thumb, stay inside the control
// and inside [minimum, minimum + 1].
TEST(ValueRange, DegenerateSlidersGiveFiniteValuesAndRectangles) {
    const RECT slider{0, 0, 110, 10};
    const SIZE thumb{10, 10};
    for (const ValueRange range : {ValueRange{0, 0}, ValueRange{30, 20}}) {
        for (int x : {0, 40, 60, 110}) {
            const double value = ui::SliderValueAt(range, true, slider, thumb, POINT{x, 5});
            EXPECT_GE(value, range.minimum);
            EXPECT_LE(value, range.minimum + 1);
            const RECT t = ui::SliderThumb(range, value, true, slider, thumb);
            EXPECT_GE(t.left, slider.left);
            EXPECT_LE(t.right, slider.right);
            const RECT fill = ui::SliderFill(range, value, true, SIZE{110, 10}, thumb);
            EXPECT_GE(fill.right, 0);
            EXPECT_LE(fill.right, 110);
        }
    }
    const RECT narrow{0, 0, 8, 10};
    EXPECT_DOUBLE_EQ(ui::SliderValueAt(ValueRange{0, 100}, true, narrow, thumb, POINT{4, 5}), 100);
    EXPECT_DOUBLE_EQ(ui::SliderValueAt(ValueRange{0, 100}, false, RECT{0, 0, 10, 8}, thumb, POINT{5, 4}), 0);
}

TEST(ValueRange, SliderThumbAndFillFollowTheValue) {
    const RECT slider{100, 20, 210, 40};  // 110 x 20
    const SIZE thumb{10, 10};
    EXPECT_EQ(ui::SliderThumb(ValueRange{0, 100}, 0, true, slider, thumb), (RECT{100, 25, 110, 35}));
    EXPECT_EQ(ui::SliderThumb(ValueRange{0, 100}, 50, true, slider, thumb), (RECT{150, 25, 160, 35}));
    EXPECT_EQ(ui::SliderThumb(ValueRange{0, 100}, 100, true, slider, thumb), (RECT{200, 25, 210, 35}));
    EXPECT_EQ(ui::SliderFill(ValueRange{0, 100}, 50, true, SIZE{110, 20}, thumb), (RECT{0, 0, 55, 20}));
    const RECT column{0, 0, 20, 110};
    EXPECT_EQ(ui::SliderThumb(ValueRange{0, 100}, 100, false, column, thumb), (RECT{5, 0, 15, 10}));
    EXPECT_EQ(ui::SliderFill(ValueRange{0, 100}, 100, false, SIZE{20, 110}, thumb), (RECT{0, 5, 20, 110}));
}

}  // namespace
