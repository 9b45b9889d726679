#include "ui/layout_arithmetic.h"

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/layout_items.h"

namespace {

using layout_test::Child;
using layout_test::Describe;

using ui::Arrangement;
using ui::LayoutItem;
using ui::LineAxis;

constexpr int kStretch = ui::kSizeStretch;

LayoutItem WithMargin(LayoutItem item, RECT margin) {
    item.margin = margin;
    return item;
}

LayoutItem Aligned(LayoutItem item, int horAlign, int verAlign) {
    item.horAlign = horAlign;
    item.verAlign = verAlign;
    return item;
}

LayoutItem Floating(LayoutItem item) {
    item.isFloat = true;
    return item;
}

LayoutItem Hidden(LayoutItem item) {
    item.visible = false;
    return item;
}

LayoutItem Limited(LayoutItem item, int minWidth, int maxWidth, int minHeight, int maxHeight) {
    item.minWidth = minWidth;
    item.maxWidth = maxWidth;
    item.minHeight = minHeight;
    item.maxHeight = maxHeight;
    return item;
}

RECT Swapped(RECT rect) {
    return RECT{rect.top, rect.left, rect.bottom, rect.right};
}

// The same child seen with x and y exchanged: a vertical line of these must mirror a
// horizontal line of the originals.
LayoutItem Swapped(const LayoutItem& item) {
    LayoutItem out = item;
    out.margin = Swapped(item.margin);
    std::swap(out.fixedWidth, out.fixedHeight);
    std::swap(out.minWidth, out.minHeight);
    std::swap(out.maxWidth, out.maxHeight);
    std::swap(out.horAlign, out.verAlign);
    out.estimate = [estimate = item.estimate](SIZE available) {
        const SIZE size = estimate(SIZE{available.cy, available.cx});
        return SIZE{size.cy, size.cx};
    };
    return out;
}

struct LineCase {
    const char* name;
    std::vector<LayoutItem> items;
    RECT rect;
    int childMargin;
    std::vector<std::string> want;
    SIZE wantNeeded;
};

std::vector<LineCase> LineCases() {
    return {
        {"three stretching children share 100 pixels, the first takes the odd one",
         {Child(kStretch, kStretch), Child(kStretch, kStretch), Child(kStretch, kStretch)},
         {0, 0, 100, 20}, 0,
         {"0,0,34,20", "34,0,67,20", "67,0,100,20"}, {100, 20}},
        {"fixed children wider than the room leave the stretching one nothing, no odd pixels",
         {Child(80, 10), Child(kStretch, 10), Child(41, 10)},
         {0, 0, 100, 20}, 0,
         {"0,0,80,10", "80,0,80,10", "80,0,121,10"}, {121, 10}},
        {"margins and child margin are taken from the stretch share",
         {WithMargin(Child(20, 10), {2, 0, 3, 0}), Child(kStretch, 10)},
         {10, 0, 110, 20}, 5,
         {"12,0,32,10", "40,0,110,10"}, {100, 10}},
        {"a float child takes no room and is aligned in the whole rectangle",
         {Child(30, 10), Floating(Aligned(Child(10, 10), ui::kHorAlignRight, ui::kVerAlignBottom)),
          Child(kStretch, 10)},
         {0, 0, 100, 50}, 0,
         {"0,0,30,10", "90,40,100,50", "30,0,100,10"}, {100, 10}},
        {"an invisible child gets no rectangle and no room",
         {Child(kStretch, 10), Hidden(Child(30, 10)), Child(kStretch, 10)},
         {0, 0, 100, 20}, 0,
         {"0,0,50,10", "none", "50,0,100,10"}, {100, 10}},
        {"limits apply after the stretch share; a negative maximum is no limit",
         {Limited(Child(kStretch, kStretch), -1, 10, -1, 15), Limited(Child(5, 30), 20, -1, -1, -1)},
         {0, 0, 100, 40}, 0,
         {"0,0,10,15", "10,0,30,30"}, {30, 30}},
        {"children align across the line inside their margins",
         {Aligned(WithMargin(Child(10, 10), {0, 4, 0, 2}), ui::kHorAlignLeft, ui::kVerAlignCenter),
          Aligned(WithMargin(Child(10, 10), {0, 4, 0, 2}), ui::kHorAlignLeft, ui::kVerAlignBottom),
          Aligned(WithMargin(Child(10, kStretch), {0, 4, 0, 2}), ui::kHorAlignLeft, ui::kVerAlignTop)},
         {0, 0, 30, 31}, 0,
         {"0,11,10,21", "10,19,20,29", "20,4,30,29"}, {30, 25}},
        {"no child in line: needed width is minus one child margin",
         {}, {0, 0, 100, 20}, 4, {}, {-4, 0}},
    };
}

TEST(LayoutLine, ArrangesAHorizontalLine) {
    for (const LineCase& c : LineCases()) {
        SCOPED_TRACE(c.name);
        const Arrangement got = ui::ArrangeLine(c.items, c.rect, c.childMargin, LineAxis::kHorizontal);
        EXPECT_EQ(Describe(got), c.want);
        EXPECT_EQ(got.needed.cx, c.wantNeeded.cx);
        EXPECT_EQ(got.needed.cy, c.wantNeeded.cy);
    }
}

TEST(LayoutLine, VerticalLineMirrorsTheHorizontalOne) {
    for (const LineCase& c : LineCases()) {
        SCOPED_TRACE(c.name);
        std::vector<LayoutItem> swapped;
        for (const LayoutItem& item : c.items) swapped.push_back(Swapped(item));
        const Arrangement horizontal = ui::ArrangeLine(c.items, c.rect, c.childMargin, LineAxis::kHorizontal);
        const Arrangement vertical = ui::ArrangeLine(swapped, Swapped(c.rect), c.childMargin, LineAxis::kVertical);
        ASSERT_EQ(vertical.rects.size(), horizontal.rects.size());
        for (std::size_t i = 0; i < horizontal.rects.size(); ++i) {
            EXPECT_EQ(Describe(vertical.rects[i]),
                      Describe(horizontal.rects[i] ? std::optional<RECT>(Swapped(*horizontal.rects[i])) : std::nullopt))
                << "child " << i;
        }
        EXPECT_EQ(vertical.needed.cx, horizontal.needed.cy);
        EXPECT_EQ(vertical.needed.cy, horizontal.needed.cx);
    }
}

TEST(LayoutLine, StretchingChildIsEstimatedWithTheRoomLeft) {
    std::vector<LONG> offered;
    LayoutItem recorder;
    recorder.margin = {3, 0, 0, 0};
    recorder.estimate = [&offered](SIZE available) {
        offered.push_back(available.cx);
        return SIZE{kStretch, 10};
    };
    ui::ArrangeLine({Child(30, 10), recorder}, {0, 0, 100, 20}, 5, LineAxis::kHorizontal);
    // Measured with the whole width, then placed with what the first child and the gaps left.
    EXPECT_EQ(offered, (std::vector<LONG>{100, 62}));
}

TEST(LayoutLine, MeasuresTheLine) {
    struct Case {
        const char* name;
        std::vector<LayoutItem> items;
        int childMargin;
        RECT padding;
        SIZE want;
    } const cases[] = {
        {"no child: only the padding", {}, 5, {1, 2, 3, 4}, {4, 6}},
        {"invisible and float children do not count", {Hidden(Child(50, 50)), Floating(Child(60, 60))}, 5,
         {1, 2, 3, 4}, {4, 6}},
        {"widths and margins summed, one child margin between two",
         {WithMargin(Child(20, 10), {1, 2, 3, 4}), Child(30, 12)}, 5, {0, 0, 0, 0}, {59, 16}},
        {"a stretching width counts as -1 unless a minimum raises it",
         {Child(kStretch, 10), Limited(Child(kStretch, 10), 15, -1, -1, -1)}, 0, {0, 0, 0, 0}, {14, 10}},
        {"limits clamp the estimate", {Limited(Child(100, 100), -1, 40, -1, 30)}, 0, {0, 0, 0, 0}, {40, 30}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SIZE got = ui::MeasureLine(c.items, {200, 200}, c.childMargin, c.padding, LineAxis::kHorizontal);
        EXPECT_EQ(got.cx, c.want.cx);
        EXPECT_EQ(got.cy, c.want.cy);
        std::vector<LayoutItem> swapped;
        for (const LayoutItem& item : c.items) swapped.push_back(Swapped(item));
        const SIZE mirrored =
            ui::MeasureLine(swapped, {200, 200}, c.childMargin, Swapped(c.padding), LineAxis::kVertical);
        EXPECT_EQ(mirrored.cx, c.want.cy);
        EXPECT_EQ(mirrored.cy, c.want.cx);
    }
}

TEST(LayoutOverlapping, PlacesEveryChildByItsAlignmentInTheWholeArea) {
    const std::vector<LayoutItem> items{
        Aligned(Child(10, 10), ui::kHorAlignLeft, ui::kVerAlignTop),
        Aligned(WithMargin(Child(10, 10), {0, 0, 5, 5}), ui::kHorAlignRight, ui::kVerAlignBottom),
        Aligned(Child(11, 11), ui::kHorAlignCenter, ui::kVerAlignCenter),
        Aligned(WithMargin(Child(kStretch, kStretch), {1, 2, 3, 4}), ui::kHorAlignCenter, ui::kVerAlignCenter),
        Hidden(Child(50, 50)),
    };
    const Arrangement got = ui::ArrangeOverlapping(items, {100, 100, 140, 130});
    EXPECT_EQ(Describe(got), (std::vector<std::string>{"100,100,110,110", "125,115,135,125", "114,109,125,120",
                                                        "101,102,137,126", "none"}));
    EXPECT_EQ(got.needed.cx, 36);
    EXPECT_EQ(got.needed.cy, 24);
}

TEST(LayoutOverlapping, MeasuresTheLargestChild) {
    const RECT padding{1, 2, 3, 4};
    const SIZE none = ui::MeasureOverlapping({Hidden(Child(10, 10))}, {100, 100}, padding);
    // Every user clamps this to the box's minimum.
    EXPECT_EQ(none.cx, ui::kNoChildrenSize + 4);
    EXPECT_EQ(none.cy, ui::kNoChildrenSize + 6);

    const SIZE some = ui::MeasureOverlapping(
        {WithMargin(Child(20, 5), {1, 1, 1, 1}), Floating(Child(10, 30)), Limited(Child(300, 1), -1, 50, 3, -1)},
        {100, 100}, padding);
    EXPECT_EQ(some.cx, 54);
    EXPECT_EQ(some.cy, 36);
}

struct FloatCase {
    const char* name;
    LayoutItem item;
    RECT rect;
    const char* want;
};

void ExpectPlaced(const std::vector<FloatCase>& cases) {
    for (const FloatCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Describe(ui::PlaceFloat(c.item, c.rect)), c.want);
    }
}

TEST(LayoutFloat, StretchFillsTheAreaAndLimitsApply) {
    ExpectPlaced({
        {"stretch takes the area less the margins", WithMargin(Child(kStretch, kStretch), {1, 2, 3, 4}),
         {0, 0, 50, 40}, "1,2,47,36"},
        {"an area smaller than the margins gives a stretching child nothing",
         WithMargin(Child(kStretch, kStretch), {30, 30, 30, 30}), {0, 0, 50, 40}, "30,30,30,30"},
        {"the minimum raises, the maximum lowers", Limited(Child(5, 500), 10, -1, -1, 20), {0, 0, 50, 40},
         "0,0,10,20"},
        {"an invisible child is not placed", Hidden(Child(5, 5)), {0, 0, 50, 40}, "none"},
    });
}

// Text of 300 pixels in one line, or as many 20-pixel lines as a width needs.
LayoutItem WrappingText() {
    LayoutItem item;
    item.fixedWidth = ui::kSizeAuto;
    item.fixedHeight = ui::kSizeAuto;
    item.maxWidth = -1;
    item.estimate = [](SIZE) { return SIZE{300, 20}; };
    item.estimateAtWidth = [](SIZE available) {
        return SIZE{available.cx, 20 * ((300 + available.cx - 1) / available.cx)};
    };
    return item;
}

TEST(LayoutFloat, TextWiderThanTheAreaIsMeasuredAgainAtTheAreaWidth) {
    LayoutItem fixedHeight = WrappingText();
    fixedHeight.fixedHeight = 20;
    LayoutItem ownMaximum = WrappingText();
    ownMaximum.maxWidth = 9999;
    ExpectPlaced({
        {"wraps into three lines at 100 pixels", WrappingText(), {0, 0, 100, 100}, "0,0,100,60"},
        {"fits: one line", WrappingText(), {0, 0, 400, 100}, "0,0,300,20"},
        {"not auto in both directions: no wrapping", fixedHeight, {0, 0, 100, 100}, "0,0,300,20"},
        {"a maximum width of its own: clipped, not wrapped", ownMaximum, {0, 0, 100, 100}, "0,0,300,20"},
    });
}

}  // namespace
