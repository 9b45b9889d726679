#include "ui/render/nine_part_layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/ui/support/rect_compare.h"

namespace ui {
namespace {

constexpr RECT kPaint{0, 0, 1000, 1000};

TEST(NinePartLayout, CornersKeepTheirScaledSizeAndEdgesStretch) {
    // A 30x30 source with 10-pixel corners drawn into 100x60, insets scaled to 15 (150 %).
    const NinePartImage image{{0, 0, 100, 60}, {0, 0, 30, 30}, {10, 10, 10, 10}, {15, 15, 15, 15}};
    const std::vector<ImagePiece> pieces = LayoutNinePart(kPaint, image);
    const std::vector<ImagePiece> want = {
        {{15, 15, 85, 45}, {10, 10, 20, 20}},  // middle first
        {{0, 0, 15, 15}, {0, 0, 10, 10}},      {{15, 0, 85, 15}, {10, 0, 20, 10}},
        {{85, 0, 100, 15}, {20, 0, 30, 10}},   {{0, 15, 15, 45}, {0, 10, 10, 20}},
        {{85, 15, 100, 45}, {20, 10, 30, 20}}, {{0, 45, 15, 60}, {0, 20, 10, 30}},
        {{15, 45, 85, 60}, {10, 20, 20, 30}},  {{85, 45, 100, 60}, {20, 20, 30, 30}},
    };
    ASSERT_EQ(pieces.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pieces[i].dest, want[i].dest);
        EXPECT_EQ(pieces[i].source, want[i].source);
    }
}

TEST(NinePartLayout, PartsThatAreNotNeededAreLeftOut) {
    struct Case {
        const char* what;
        RECT paint;
        NinePartImage image;
        std::size_t count;
    } const cases[] = {
        {"destination outside the paint rectangle: no corners either", {0, 0, 50, 50},
         {{60, 60, 90, 90}, {0, 0, 30, 30}, {10, 10, 10, 10}, {10, 10, 10, 10}}, 0},
        {"no insets: one stretched middle", kPaint, {{0, 0, 90, 90}, {0, 0, 30, 30}, {}, {}}, 1},
        {"left inset only: middle and left edge", kPaint,
         {{0, 0, 90, 90}, {0, 0, 30, 30}, {10, 0, 0, 0}, {10, 0, 0, 0}}, 2},
        {"paint covers the top-left corner only", {0, 0, 5, 5},
         {{0, 0, 90, 90}, {0, 0, 30, 30}, {10, 10, 10, 10}, {10, 10, 10, 10}}, 1},
        {"destination smaller than the corners: four corners, no edges, no middle", kPaint,
         {{0, 0, 15, 15}, {0, 0, 30, 30}, {10, 10, 10, 10}, {10, 10, 10, 10}}, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(LayoutNinePart(c.paint, c.image).size(), c.count);
    }
}

TEST(NinePartLayout, TilesTheMiddleAndCutsTheLastTile) {
    // Source middle 10 wide (30 less two 10-pixel insets), destination middle 25 wide.
    NinePartImage image{{0, 0, 45, 30}, {0, 0, 30, 30}, {10, 10, 10, 10}, {10, 10, 10, 10}, true, false};
    std::vector<ImagePiece> pieces = LayoutNinePart(kPaint, image);
    ASSERT_GE(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].dest, (RECT{10, 10, 20, 20}));
    EXPECT_EQ(pieces[1].dest, (RECT{20, 10, 30, 20}));
    EXPECT_EQ(pieces[2].dest, (RECT{30, 10, 35, 20}));
    EXPECT_EQ(pieces[2].source, (RECT{10, 10, 15, 20}));  // the first 5 source columns
    EXPECT_EQ(pieces[3].dest, (RECT{0, 0, 10, 10}));      // then the corners

    image = {{0, 0, 25, 25}, {0, 0, 10, 10}, {}, {}, true, true};
    pieces = LayoutNinePart(kPaint, image);
    ASSERT_EQ(pieces.size(), 9u);  // rows from the top, left to right
    EXPECT_EQ(pieces[1].dest, (RECT{10, 0, 20, 10}));
    EXPECT_EQ(pieces[3].dest, (RECT{0, 10, 10, 20}));
    EXPECT_EQ(pieces[8].dest, (RECT{20, 20, 25, 25}));
    EXPECT_EQ(pieces[8].source, (RECT{0, 0, 5, 5}));

    image = {{0, 0, 10, 25}, {0, 0, 4, 10}, {}, {}, false, true};
    pieces = LayoutNinePart(kPaint, image);
    ASSERT_EQ(pieces.size(), 3u);  // the full width in each tile
    EXPECT_EQ(pieces[2].dest, (RECT{0, 20, 10, 25}));
    EXPECT_EQ(pieces[2].source, (RECT{0, 0, 4, 5}));
}

TEST(NinePartLayout, TiledAxisWithoutSourceMiddleIsStretched) {
    // Source 20 wide with insets 10 + 10: nothing to tile along x; y still tiles.
    const NinePartImage image{{0, 0, 100, 40}, {0, 0, 20, 20}, {10, 5, 10, 5}, {10, 5, 10, 5}, true, true};
    const std::vector<ImagePiece> pieces = LayoutNinePart(kPaint, image);
    ASSERT_GE(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].dest, (RECT{10, 5, 90, 15}));
    EXPECT_EQ(pieces[0].source, (RECT{10, 5, 10, 15}));
    EXPECT_EQ(pieces[2].dest, (RECT{10, 25, 90, 35}));
    EXPECT_EQ(pieces[3].dest, (RECT{0, 0, 10, 5}));  // no more tiles

    const NinePartImage negative{{0, 0, 100, 40}, {0, 0, 20, 20}, {15, 0, 15, 0}, {15, 0, 15, 0}, true, false};
    EXPECT_EQ(LayoutNinePart(kPaint, negative).front().dest, (RECT{15, 0, 85, 40}));
}

}  // namespace
}  // namespace ui
