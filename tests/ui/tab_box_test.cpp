#include "ui/tab_box.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/timer_test_support.h"
#include "ui/window.h"

namespace {

using ui::Control;
using ui::TabBox;

class TabBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        tabs_.SetWindowAndParent(&window_, nullptr, false);
        tabs_.EventMapAt(ui::kEventSelect).push_back([this](ui::EventArgs* args) {
            selects_.push_back({static_cast<int>(args->wParam), static_cast<int>(args->lParam)});
            return true;
        });
    }

    Control* AddPage() {
        auto page = std::make_unique<Control>();
        Control* raw = page.get();
        if (tabs_.Add(raw)) page.release();
        pages_.push_back(raw);
        return raw;
    }

    void AddPages(int count) {
        for (int i = 0; i < count; ++i) AddPage();
    }

    // Shown: visible, opaque and taking the mouse.
    bool Shown(int index) const {
        const Control* page = pages_[static_cast<std::size_t>(index)];
        return page->IsVisible() && page->GetAlpha() == 255 && page->IsMouseEnabled();
    }

    ui::Window window_;
    TabBox tabs_{nullptr};
    std::vector<Control*> pages_;
    std::vector<std::pair<int, int>> selects_;
};

TEST_F(TabBoxTest, FirstVisiblePageBecomesCurrent) {
    AddPages(3);
    EXPECT_EQ(tabs_.GetCurSel(), 0);
    EXPECT_TRUE(Shown(0));
    EXPECT_FALSE(pages_[1]->IsVisible());
    EXPECT_FALSE(pages_[2]->IsVisible());
}

TEST_F(TabBoxTest, SelectedIdBeforeThePagesKeepsThatPageShown) {
    tabs_.SetAttribute(L"selectedid", L"1");
    AddPages(3);
    EXPECT_EQ(tabs_.GetCurSel(), 1);
    EXPECT_FALSE(pages_[0]->IsVisible());
    EXPECT_TRUE(Shown(1));
    EXPECT_FALSE(pages_[2]->IsVisible());
}

TEST_F(TabBoxTest, SelectingSwapsPagesAndReportsOnlyChanges) {
    AddPages(3);
    EXPECT_FALSE(tabs_.SelectItem(3));
    EXPECT_FALSE(tabs_.SelectItem(-1));
    EXPECT_TRUE(tabs_.SelectItem(0));
    EXPECT_TRUE(selects_.empty());
    EXPECT_TRUE(tabs_.SelectItem(2));
    EXPECT_TRUE(Shown(2));
    EXPECT_FALSE(pages_[0]->IsVisible());
    EXPECT_EQ(selects_, (std::vector<std::pair<int, int>>{{2, 0}}));
}

TEST_F(TabBoxTest, CurrentIndexFollowsInsertionsAndRemovals) {
    AddPages(3);
    tabs_.SelectItem(1);
    auto inserted = std::make_unique<Control>();
    ASSERT_TRUE(tabs_.AddAt(inserted.release(), 0));
    EXPECT_EQ(tabs_.GetCurSel(), 2);
    EXPECT_TRUE(tabs_.Remove(pages_[0]));
    EXPECT_EQ(tabs_.GetCurSel(), 1);

    EXPECT_TRUE(tabs_.Remove(pages_[1]));  // the current page: page 0 shows
    EXPECT_EQ(tabs_.GetCurSel(), 0);
    EXPECT_TRUE(tabs_.GetItemAt(0)->IsVisible());
    tabs_.RemoveAll();
    EXPECT_EQ(tabs_.GetCurSel(), -1);
    EXPECT_FALSE(tabs_.Remove(nullptr));
}

TEST_F(TabBoxTest, FadeSwitchSlidesBothPagesTheSameWay) {
    tabs_.SetAttribute(L"fadeswitch", L"true");
    tabs_.SetPos(RECT{0, 0, 200, 100});
    AddPages(3);
    ASSERT_TRUE(tabs_.SelectItem(2));
    // A higher page enters from the left and pushes the old one out to the right.
    EXPECT_LT(pages_[2]->GetRenderOffset().x, 0);
    EXPECT_EQ(pages_[0]->GetAlpha(), 255);
    bool oldMovedRight = false;
    ASSERT_TRUE(ui_test::PumpMessagesUntil([&] {
        oldMovedRight = oldMovedRight || pages_[0]->GetRenderOffset().x > 0;
        return pages_[0]->GetAlpha() == 0 && pages_[2]->GetRenderOffset().x == 0;
    }));
    EXPECT_TRUE(oldMovedRight);
    EXPECT_EQ(pages_[0]->GetRenderOffset().x, 200);
    EXPECT_TRUE(pages_[0]->IsVisible());  // hidden by its alpha, not by visibility
    EXPECT_FALSE(pages_[0]->IsMouseEnabled());
}

}  // namespace
