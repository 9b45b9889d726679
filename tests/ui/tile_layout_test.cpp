#include "ui/tile_arithmetic.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/layout_items.h"

namespace {

using layout_test::Child;
using layout_test::Describe;

using ui::Arrangement;
using ui::LayoutItem;

constexpr int kStretch = ui::kSizeStretch;

TEST(TileColumns, NeverBelowOne) {
    struct Case {
        int width;
        int itemWidth;
        int columns;
        int want;
    } const cases[] = {
        {350, 100, 1, 3},   // the item width decides
        {350, 0, 4, 4},     // no item width: the count stays
        {50, 100, 4, 1},    // item wider than the room
        {-150, 100, 4, 1},  // no room at all
        {350, 0, 0, 1},
        {350, 0, -3, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " " + std::to_string(c.itemWidth) + " " + std::to_string(c.columns));
        EXPECT_EQ(ui::TileColumns(c.width, c.itemWidth, c.columns), c.want);
    }
}

TEST(TileArrange, FirstCellsOfEachRowTakeTheOddPixels) {
    // 350 pixels in 3 columns: cells of 116, the first two of every row one wider.
    const std::vector<LayoutItem> items(4, Child(kStretch, 20));
    const Arrangement got = ui::ArrangeTiles(items, {0, 0, 350, 100}, 0, ui::TileColumns(350, 100, 1));
    EXPECT_EQ(Describe(got),
              (std::vector<std::string>{"0,0,117,20", "117,0,234,20", "234,0,350,20", "0,20,117,40"}));
    EXPECT_EQ(got.needed.cx, 350);
    EXPECT_EQ(got.needed.cy, 40);
}

TEST(TileArrange, TallestChildSetsTheRowAndTheOthersCentreInIt) {
    LayoutItem tall = Child(40, 40);
    tall.margin = {0, 4, 0, 6};
    const std::vector<LayoutItem> items{Child(20, 10), tall, Child(20, 11), Child(20, 10)};
    const Arrangement got = ui::ArrangeTiles(items, {10, 10, 160, 200}, 6, 3);
    // Row one is 50 high (40 plus the tall child's margins), its cells run from each child's top
    // margin to the row's bottom; each cell keeps 3 pixels of the child margin on both sides.
    EXPECT_EQ(Describe(got), (std::vector<std::string>{"25,30,45,40", "65,17,105,57", "125,29,145,40",
                                                       "25,66,45,76"}));
    EXPECT_EQ(got.needed.cy, 66);
}

TEST(TileArrange, FloatAndInvisibleChildrenTakeNoCell) {
    LayoutItem floating = Child(10, 10);
    floating.isFloat = true;
    floating.horAlign = ui::kHorAlignRight;
    LayoutItem hidden = Child(10, 10);
    hidden.visible = false;
    const std::vector<LayoutItem> items{Child(50, 10), floating, hidden, Child(50, 10)};
    const Arrangement got = ui::ArrangeTiles(items, {0, 0, 100, 50}, 0, 2);
    EXPECT_EQ(Describe(got), (std::vector<std::string>{"0,0,50,10", "90,0,100,10", "none", "50,0,100,10"}));
}

TEST(TileArrange, NothingPlacedNeedsNoHeight) {
    const Arrangement got = ui::ArrangeTiles({}, {0, 5, 80, 50}, 4, 2);
    EXPECT_EQ(got.needed.cx, 80);
    EXPECT_EQ(got.needed.cy, 0);
}

TEST(TileMeasure, CountsRowsOfTheFirstChildsHeight) {
    struct Case {
        const char* name;
        int ownerFixedWidth;
        int itemWidth;
        int columns;
        int visible;
        SIZE want;
        int wantColumns;
    } const cases[] = {
        {"7 children in 3 columns: 3 rows and 2 margins", 300, 0, 3, 7, {300, 3 * 30 + 2 * 5 + 6}, 3},
        {"item width against the box's own width", 250, 100, 1, 3, {250, 2 * 30 + 5 + 6}, 2},
        // The -1 and -2 sentinels are no widths: the room offered stands in (350 + padding 4).
        {"stretching box: columns from the room offered", ui::kSizeStretch, 100, 1, 3, {354, 30 + 6}, 3},
        {"auto box: columns from the room offered", ui::kSizeAuto, 100, 1, 4, {354, 2 * 30 + 5 + 6}, 3},
        {"item wider than the box: one column", 50, 100, 3, 2, {50, 2 * 30 + 5 + 6}, 1},
        {"no visible child: no height", 300, 0, 3, 0, {300, 0}, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui::TileMeasureInput input;
        input.ownerFixedWidth = c.ownerFixedWidth;
        input.available = {350, 1000};
        input.padding = {1, 2, 3, 4};
        input.itemWidth = c.itemWidth;
        input.columns = c.columns;
        input.visibleCount = c.visible;
        input.firstChildFixedHeight = 30;
        input.childMargin = 5;
        const ui::TileMeasure got = ui::MeasureTiles(input);
        EXPECT_EQ(got.size.cx, c.want.cx);
        EXPECT_EQ(got.size.cy, c.want.cy);
        EXPECT_EQ(got.columns, c.wantColumns);
    }
}

}  // namespace
