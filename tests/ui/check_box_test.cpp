// Check boxes and options in the gallery window under real clicks: toggling, the selected
// look, events, and an option group whose members exclude each other.
#include "ui/check_box.h"

#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/gallery_window.h"
#include "ui/option.h"

namespace {

using gallery::GalleryTest;

constexpr DWORD kMarkOn = 0xFF3C8CE7;
constexpr DWORD kMarkOff = 0xFFFFFFFF;

// Inside the mark image (dest 0,8,16,24 of each check box and option), off its tick and ring.
POINT MarkPoint(RECT r) { return POINT{r.left + 2, r.top + 10}; }
POINT OptionDotPoint(RECT r) { return POINT{r.left + 8, r.top + 16}; }

// The select and unselect events a control raises, in order.
struct SelectionLog {
    std::vector<int> events;
    void Watch(ui::Control* control) {
        for (int type : {ui::kEventClick, ui::kEventSelect, ui::kEventUnSelect}) {
            control->EventMapAt(type).push_back([this](ui::EventArgs* args) {
                events.push_back(args->type);
                return true;
            });
        }
    }
};

TEST_F(GalleryTest, ClickingACheckBoxTogglesItsStateLookAndEvents) {
    auto* sound = Find<ui::CheckBox>(L"check_sound");
    SelectionLog log;
    log.Watch(sound);
    const RECT r = RectOf(L"check_sound");
    const RECT text{r.left + 22, r.top, r.right, r.bottom};
    EXPECT_TRUE(PixelBecomes(MarkPoint(r), kMarkOff));

    Click(L"check_sound");
    EXPECT_TRUE(sound->IsSelected());
    EXPECT_TRUE(PixelBecomes(MarkPoint(r), kMarkOn));
    EXPECT_TRUE(ComesToShow(text, 0xFF3C8CE7));  // the selected text colour
    WritePng(L"gallery_check_selected.png");

    Click(L"check_sound");
    EXPECT_FALSE(sound->IsSelected());
    EXPECT_TRUE(PixelBecomes(MarkPoint(r), kMarkOff));
    EXPECT_FALSE(AnyPixelNear(text, 0xFF3C8CE7));
    EXPECT_EQ(log.events, (std::vector<int>{ui::kEventSelect, ui::kEventUnSelect}));  // no click event

    // Set in code without trigger: the look changes, no event.
    sound->Selected(true, false);
    EXPECT_TRUE(PixelBecomes(MarkPoint(r), kMarkOn));
    EXPECT_EQ(log.events.size(), 2u);
}

TEST_F(GalleryTest, ACheckBoxBoxPaintsItsSelectedColourAndTogglesBySpace) {
    auto* box = Find<ui::CheckBoxBox>(L"check_box");
    SelectionLog log;
    log.Watch(box);
    const RECT r = RectOf(L"check_box");
    const POINT ground{r.right - 3, r.top + 3};
    EXPECT_TRUE(PixelBecomes(ground, 0xFFFFFFFF));
    Click(L"check_box");
    EXPECT_TRUE(PixelBecomes(ground, 0xFFE8A33D));
    box->SetFocus();
    Post(WM_KEYDOWN, VK_SPACE, POINT{0, 0});
    EXPECT_FALSE(box->IsSelected());
    EXPECT_TRUE(PixelBecomes(ground, 0xFFFFFFFF));
    EXPECT_EQ(log.events, (std::vector<int>{ui::kEventSelect, ui::kEventUnSelect}));
}

TEST_F(GalleryTest, OptionsOfAGroupExcludeEachOther) {
    auto* low = Find<ui::Option>(L"option_low");
    auto* high = Find<ui::Option>(L"option_high");
    auto* box = Find<ui::OptionBox>(L"option_box");
    EXPECT_TRUE(high->IsSelected());
    SelectionLog lowLog, highLog, boxLog;
    lowLog.Watch(low);
    highLog.Watch(high);
    boxLog.Watch(box);

    Click(L"option_low");
    EXPECT_TRUE(low->IsSelected());
    EXPECT_FALSE(high->IsSelected());
    EXPECT_FALSE(box->IsSelected());
    EXPECT_TRUE(PixelBecomes(OptionDotPoint(RectOf(L"option_low")), kMarkOn));
    const POINT highDot = OptionDotPoint(RectOf(L"option_high"));
    EXPECT_FALSE(gallery::Near(PixelAt(highDot.x, highDot.y), kMarkOn));
    EXPECT_EQ(lowLog.events, (std::vector<int>{ui::kEventClick, ui::kEventSelect}));
    EXPECT_EQ(highLog.events, (std::vector<int>{ui::kEventUnSelect}));
    EXPECT_EQ(boxLog.events, (std::vector<int>{ui::kEventUnSelect}));

    // A selected option clicked again stays selected and says so again.
    Click(L"option_low");
    EXPECT_TRUE(low->IsSelected());
    EXPECT_EQ(lowLog.events, (std::vector<int>{ui::kEventClick, ui::kEventSelect, ui::kEventClick, ui::kEventSelect}));

    // The box-based option is a member like the others.
    Click(L"option_box");
    EXPECT_TRUE(box->IsSelected());
    EXPECT_FALSE(low->IsSelected());
    WritePng(L"gallery_options.png");
}

TEST_F(GalleryTest, AnOptionThatLeavesItsGroupIsNoLongerTouchedByIt) {
    auto* low = Find<ui::Option>(L"option_low");
    auto* high = Find<ui::Option>(L"option_high");
    high->SetGroup(L"");
    EXPECT_EQ(form_->GetOptionGroup(L"quality")->size(), 2u);
    Click(L"option_low");
    EXPECT_TRUE(low->IsSelected());
    EXPECT_TRUE(high->IsSelected());
    // Joining again brings it under the group's rule.
    high->SetGroup(L"quality");
    Click(L"option_low");
    EXPECT_FALSE(high->IsSelected());
}

TEST_F(GalleryTest, ADestroyedOptionLeavesItsGroup) {
    auto* low = Find<ui::Option>(L"option_low");
    ui::Box* row = low->GetParent();
    row->SetDelayedDestroy(false);
    ASSERT_TRUE(row->Remove(low));
    EXPECT_EQ(form_->GetOptionGroup(L"quality")->size(), 2u);
    window_test::PumpPending();  // the row's new layout
    Click(L"option_box");
    EXPECT_FALSE(Find<ui::Option>(L"option_high")->IsSelected());
}

}  // namespace
