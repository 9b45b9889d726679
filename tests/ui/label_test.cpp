// Labels in the gallery window: where their text lands (alignment, ellipsis, wrapping), text
// ids, measuring, and the box-based label holding children.
#include "ui/label.h"

#include <gtest/gtest.h>

#include "tests/ui/gallery_window.h"
#include "ui/language_table.h"

namespace {

using gallery::GalleryTest;

// A band of a rectangle: columns [from, to) counted from its left edge (negative: from its
// right edge), all rows.
RECT Columns(RECT r, int from, int to) {
    const int left = from >= 0 ? r.left + from : r.right + from;
    const int right = to > 0 ? r.left + to : r.right + to;
    return RECT{left, r.top, right, r.bottom};
}

TEST_F(GalleryTest, LabelTextFollowsItsAlignment) {
    WritePng(L"gallery_labels.png");
    const RECT left = RectOf(L"label_left");
    const RECT right = RectOf(L"label_right");
    EXPECT_GT(InkIn(Columns(left, 0, 12)), 0);
    EXPECT_EQ(InkIn(Columns(left, -20, 0)), 0);
    EXPECT_EQ(InkIn(Columns(right, 0, 20)), 0);
    EXPECT_GT(InkIn(Columns(right, -12, 0)), 0);
    // "left" and "right" clear the vertical centring: the text sits at the top.
    const int half = (left.bottom - left.top) / 2;
    EXPECT_EQ(InkIn(RECT{left.left, left.top + half + 8, left.right, left.bottom}), 0);
}

// A single line too long for its label ends inside it despite DT_NOCLIP: trimmed with an
// ellipsis (Wine's GDI+ trims at a whole character and draws no ellipsis).
TEST_F(GalleryTest, ATextTooLongIsTrimmedInsideTheLabel) {
    auto* label = Find<ui::Label>(L"label_ellipsis");
    EXPECT_TRUE(label->GetTextStyle() & DT_END_ELLIPSIS);
    const RECT r = RectOf(L"label_ellipsis");
    EXPECT_GT(InkIn(Columns(r, -16, 0)), 0);
    EXPECT_EQ(InkIn(RECT{r.right, r.top, r.right + 8, r.bottom}), 0);  // the gap to the next label
}

TEST_F(GalleryTest, AMultiLineLabelWrapsOntoASecondLine) {
    const RECT r = RectOf(L"label_multi");
    // Find the first line's rows, then a gap, then ink again.
    int firstInk = -1;
    int gapAfter = -1;
    int secondInk = -1;
    for (int y = r.top; y < r.bottom; ++y) {
        const bool ink = InkIn(RECT{r.left, y, r.right, y + 1}) > 0;
        if (ink && firstInk < 0) firstInk = y;
        if (!ink && firstInk >= 0 && gapAfter < 0) gapAfter = y;
        if (ink && gapAfter >= 0) {
            secondInk = y;
            break;
        }
    }
    EXPECT_GE(firstInk, 0);
    EXPECT_GT(secondInk, gapAfter) << "the text stayed on one line";

    auto* label = Find<ui::Label>(L"label_multi");
    label->SetSingleLine(true);
    EXPECT_EQ(InkIn(RECT{r.left, secondInk, r.right, r.bottom}), 0);
}

TEST_F(GalleryTest, ATextIdGivesWayToTheTextUntilTheTextIsCleared) {
    auto* label = Find<ui::Label>(L"label_left");
    ui::LanguageTable::GetInstance().SetOverride(L"STRING_SAMPLE_TITLE", L"Overridden");
    label->SetTextId(L"STRING_SAMPLE_TITLE", false);
    EXPECT_EQ(label->GetText(), L"HHHH");
    label->SetTextId(L"STRING_SAMPLE_TITLE", true);
    EXPECT_EQ(label->GetText(), L"Overridden");
    EXPECT_EQ(label->GetUTF8Text(), "Overridden");
    ui::LanguageTable::GetInstance().LoadFromFile(L"Z:" LAUNCHER_SOURCE_DIR_W L"\\tests\\ui\\skins\\resources\\lang\\en.ini");
    EXPECT_EQ(label->GetText(), L"Sample skin");
}

// A wrapping label measured in the room its parent offers: it grows in height when the room
// shrinks, only with "maxwidth" stretch.
TEST_F(GalleryTest, AWrappingAutoLabelGrowsWithLessRoomOnlyWhenItMayStretch) {
    const auto heightIn = [this](int room, bool stretch) {
        ui::Label label;
        label.SetWindow(form_);
        label.SetAttribute(L"text", L"HH HH HH HH HH HH HH HH");
        label.SetAttribute(L"singleline", L"false");
        if (stretch) label.SetAttribute(L"maxwidth", L"stretch");
        return label.EstimateSize(SIZE{room, 500}).cy;
    };
    EXPECT_GT(heightIn(60, true), heightIn(1000, true));
    EXPECT_EQ(heightIn(60, false), heightIn(1000, false));
}

TEST_F(GalleryTest, ALabelBoxPaintsItsTextAndHoldsItsChildren) {
    auto* box = Find<ui::LabelBox>(L"label_box");
    ASSERT_EQ(box->GetCount(), 1);
    EXPECT_EQ(box->GetItemAt(0)->GetName(), L"label_box_badge");
    EXPECT_FALSE(box->IsTabStop());
    const RECT badge = RectOf(L"label_box_badge");
    EXPECT_TRUE(PixelBecomes(POINT{badge.left + 4, badge.top + 4}, 0xFFE8A33D));
    EXPECT_GT(InkIn(RectOf(L"label_box")), 0);
}

}  // namespace
