#include "ui/scrollable_box.h"

#include <memory>

#include <gtest/gtest.h>

#include "tests/ui/timer_test_support.h"
#include "ui/hlayout.h"
#include "ui/scroll_bar.h"
#include "ui/vlayout.h"
#include "ui/window.h"

namespace {

using ui::Control;
using ui::ScrollableBox;

// A scrollable box of 100 x 100 pixels in a window without a native handle, counting its
// scroll-change events.
class ScrollableBoxTest : public ::testing::Test {
protected:
    void SetUp() override { MakeBox(new ui::VLayout, L"vscrollbar"); }

    void MakeBox(ui::Layout* layout, const wchar_t* bar) {
        box_ = std::make_unique<ScrollableBox>(layout);
        box_->SetWindowAndParent(&window_, nullptr, false);
        box_->SetAttribute(bar, L"true");
        box_->EventMapAt(ui::kEventScrollChange).push_back([this](ui::EventArgs*) {
            ++scrollEvents_;
            return true;
        });
        box_->SetPos(RECT{0, 0, 100, 100});
    }

    Control* AddChild(int width, int height) {
        auto child = std::make_unique<Control>();
        child->SetFixedWidth(width, true, false);
        child->SetFixedHeight(height, false);
        Control* raw = child.get();
        if (box_->Add(raw)) child.release();
        box_->SetPos(RECT{0, 0, 100, 100});
        return raw;
    }

    void AddRows(int count, int height = 30) {
        for (int i = 0; i < count; ++i) AddChild(ui::kSizeStretch, height);
    }

    void Wheel(int delta) {
        Control::SendEvent(box_.get(), ui::kEventMouseScrollWheel, static_cast<WPARAM>(static_cast<LONG_PTR>(delta)));
    }

    // The last step of an eased scroll and its completion come together.
    bool WaitForY(int y) {
        return ui_test::PumpMessagesUntil([this, y] { return box_->GetScrollPos().cy == y; });
    }

    ui::Window window_;
    std::unique_ptr<ScrollableBox> box_;
    int scrollEvents_ = 0;
};

TEST_F(ScrollableBoxTest, BarGetsARangeOnceTheContentOutgrowsTheView) {
    AddRows(3);
    EXPECT_EQ(box_->GetScrollRange().cy, 0);
    AddRows(2);
    EXPECT_EQ(box_->GetScrollRange().cy, 50);
    EXPECT_TRUE(box_->HasScrollBarRange(true));
    EXPECT_EQ(box_->GetItemOffsets(), (std::vector<int>{0, 30, 60, 90, 120}));
    box_->RemoveAll();
    box_->SetPos(RECT{0, 0, 100, 101});
    EXPECT_EQ(box_->GetScrollRange().cy, 0);
}

// A point in the view finds the child shown there, however far the content is scrolled.
TEST_F(ScrollableBoxTest, HitTestsFindTheChildShownAtAPointOfTheScrolledView) {
    AddRows(10);
    std::vector<Control*> rows;
    for (int i = 0; i < box_->GetCount(); ++i) rows.push_back(box_->GetItemAt(i));
    for (const int y : {0, 100, 200}) {
        SCOPED_TRACE(y);
        box_->SetScrollPosY(y);
        for (const int viewY : {5, 50, 95}) {
            POINT point{50, viewY};
            Control* hit = box_->FindControl(&ui::Window::HitTestCallback, &point, ui::kFindVisible | ui::kFindHitTest);
            EXPECT_EQ(hit, rows[(viewY + y) / 30]) << "at " << viewY;
        }
    }
}

TEST_F(ScrollableBoxTest, HoldEndKeepsAViewAtTheEndThere) {
    box_->SetAttribute(L"holdend", L"true");
    AddRows(5);
    box_->SetScrollPos(SIZE{0, 50});
    AddRows(1);
    EXPECT_EQ(box_->GetScrollPos().cy, 80);
    box_->SetScrollPos(SIZE{0, 10});
    AddRows(1);
    EXPECT_EQ(box_->GetScrollPos().cy, 10);
}

TEST_F(ScrollableBoxTest, WheelNotchesInOneDirectionAddUp) {
    AddRows(20);
    Wheel(-120);
    Wheel(-120);
    ASSERT_TRUE(WaitForY(240));
    ASSERT_TRUE(ui_test::PassTime(100));
    EXPECT_EQ(box_->GetScrollPos().cy, 240);
    EXPECT_GT(scrollEvents_, 1);  // each eased step reports

    // Upward past the top: the position stops at 0 and so does the animation.
    box_->SetScrollPos(SIZE{0, 50});
    Wheel(120);
    ASSERT_TRUE(WaitForY(0));
}

TEST_F(ScrollableBoxTest, SuppressedStepRaisesNoEventAndItsEndClearsTheSuppression) {
    AddRows(20);
    box_->SetScrollEventSuppressed(true);
    box_->LineDown(60, true);
    ASSERT_TRUE(WaitForY(60));
    EXPECT_EQ(scrollEvents_, 0);
    EXPECT_FALSE(box_->IsScrollEventSuppressed());
}

// The suppression is meant for one step; one that never runs, or is cut short, must not
// silence every later change.
TEST_F(ScrollableBoxTest, SuppressionEndsWhenTheStepDoesNothingOrIsStopped) {
    AddRows(20);
    box_->SetScrollEventSuppressed(true);
    box_->LineUp(-1, true);  // already at the top
    EXPECT_FALSE(box_->IsScrollEventSuppressed());
    EXPECT_EQ(scrollEvents_, 0);

    box_->SetScrollPos(SIZE{0, 50});
    scrollEvents_ = 0;
    box_->SetScrollEventSuppressed(true);
    box_->LineUp(120, true);  // runs toward -70 and is stopped at 0
    EXPECT_TRUE(ui_test::PumpMessagesUntil([this] { return !box_->IsScrollEventSuppressed(); }));
    EXPECT_EQ(box_->GetScrollPos().cy, 0);
    EXPECT_EQ(scrollEvents_, 0);

    box_->LineDown(30, false);
    EXPECT_EQ(scrollEvents_, 1);
}

TEST_F(ScrollableBoxTest, HorizontalOnlyBoxTurnsTheWheelSideways) {
    MakeBox(new ui::HLayout, L"hscrollbar");
    for (int i = 0; i < 10; ++i) AddChild(40, ui::kSizeStretch);
    ASSERT_EQ(box_->GetScrollRange().cx, 300);
    Wheel(-120);
    ASSERT_TRUE(ui_test::PumpMessagesUntil([this] { return box_->GetScrollPos().cx == 120; }));
    EXPECT_EQ(box_->GetScrollPos().cy, 0);
}

TEST_F(ScrollableBoxTest, NonFloatingBarNarrowsTheContent) {
    box_->SetAttribute(L"scrollbarfloat", L"false");
    Control* first = AddChild(ui::kSizeStretch, 60);
    EXPECT_EQ(first->GetPos().right, 100);
    AddChild(ui::kSizeStretch, 60);
    EXPECT_EQ(first->GetPos().right, 100 - box_->GetVerticalScrollBar()->GetFixedWidth());
}

}  // namespace
