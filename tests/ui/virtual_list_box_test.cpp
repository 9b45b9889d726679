#include "ui/virtual_list_box.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "ui/scroll_bar.h"
#include "ui/window.h"

namespace {

using ui::Control;
using ui::VirtualListBox;

// Rows are plain controls; a filled row carries its item's number as its data id.
class CountingSource : public ui::VirtualListDataSource {
public:
    explicit CountingSource(int count) : count(count) {}
    Control* CreateElement() override {
        ++created;
        return new Control;
    }
    void FillElement(Control* row, int index) override { row->SetDataId(std::to_wstring(index)); }
    int GetElementCount() override { return count; }

    int count;
    int created = 0;
};

// A virtual list of 100 x 100 pixels with rows 30 pixels high.
class VirtualListBoxTest : public ::testing::Test {
protected:
    void Build(int items, int pool, int rowHeight = 30) {
        source_.count = items;
        list_.SetWindowAndParent(&window_, nullptr, false);
        list_.SetAttribute(L"vscrollbar", L"true");
        list_.SetDataSource(&source_);
        list_.SetElementHeight(rowHeight);
        list_.InitElement(pool);
        list_.SetPos(RECT{0, 0, 100, 100});
    }

    // The item shown by the row that covers content point y, or -1.
    int ItemAt(int y) {
        for (int i = 0; i < list_.GetCount(); ++i) {
            const RECT r = list_.GetItemAt(static_cast<std::size_t>(i))->GetPos();
            if (y >= r.top && y < r.bottom) return std::stoi(list_.GetItemAt(static_cast<std::size_t>(i))->GetDataId());
        }
        return -1;
    }

    ui::Window window_;
    CountingSource source_{0};
    VirtualListBox list_;
};

TEST_F(VirtualListBoxTest, FewRowsStandForAllItems) {
    Build(1000, 10);
    EXPECT_EQ(source_.created, 10);
    EXPECT_EQ(list_.GetScrollRange().cy, 30000 - 100);
    EXPECT_EQ(ItemAt(0), 0);
    EXPECT_EQ(ItemAt(95), 3);
}

TEST_F(VirtualListBoxTest, RowsMoveOnlyWhenTheViewLeavesThem) {
    Build(1000, 10);
    list_.SetScrollPos(SIZE{0, 20});
    const RECT before = list_.GetItemAt(9)->GetPos();
    list_.SetScrollPos(SIZE{0, 25});
    EXPECT_EQ(list_.GetItemAt(9)->GetPos().top, before.top);

    for (int y : {400, 12345, 29900, 600, 0}) {
        list_.SetScrollPos(SIZE{0, y});
        SCOPED_TRACE(y);
        EXPECT_EQ(ItemAt(y), y / 30);
        EXPECT_EQ(ItemAt(y + 99), (y + 99) / 30);
    }
    EXPECT_EQ(source_.created, 10);
}

TEST_F(VirtualListBoxTest, RefreshFollowsAShrinkingCount) {
    Build(1000, 10);
    source_.count = 4;
    list_.Refresh();
    EXPECT_EQ(list_.GetCount(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(list_.GetItemAt(static_cast<std::size_t>(i))->GetDataId(), std::to_wstring(i));
    source_.count = 50;
    list_.Refresh();
    EXPECT_EQ(list_.GetCount(), 10);
}

// A pool no larger than the rows that fit keeps no row above the view.
TEST_F(VirtualListBoxTest, SmallPoolFillsTheViewFromTheTop) {
    Build(1000, 3);
    EXPECT_EQ(ItemAt(0), 0);
    EXPECT_EQ(ItemAt(60), 2);
    list_.SetScrollPos(SIZE{0, 300});
    EXPECT_EQ(ItemAt(300), 10);
}

TEST_F(VirtualListBoxTest, RowHeightOfZeroOrLessDividesNothing) {
    for (int height : {0, -30}) {
        VirtualListBox list;
        CountingSource source(1000);
        list.SetAttribute(L"vscrollbar", L"true");
        list.SetDataSource(&source);
        list.SetElementHeight(height);
        list.InitElement(10);
        list.SetPos(RECT{0, 0, 100, 100});
        list.SetScrollPos(SIZE{0, 50});
        list.Refresh();
        EXPECT_EQ(list.GetCount(), 10);
    }
}

TEST_F(VirtualListBoxTest, WorksWithoutADataSource) {
    list_.SetAttribute(L"vscrollbar", L"true");
    list_.SetElementHeight(30);
    list_.InitElement(10);
    list_.SetPos(RECT{0, 0, 100, 100});
    list_.Refresh();
    list_.SetScrollPos(SIZE{0, 40});
    list_.ReArrangeChild(true);
    EXPECT_EQ(list_.GetCount(), 0);
    EXPECT_EQ(list_.GetElementCount(), 0);
}

TEST_F(VirtualListBoxTest, KeysScrollButLeaveTheSelection) {
    Build(1000, 10);
    Control::SendEvent(&list_, ui::kEventKeyDown, VK_END, 0, VK_END);
    EXPECT_EQ(list_.GetScrollPos().cy, 29900);
    EXPECT_EQ(ItemAt(29999), 999);
    Control::SendEvent(&list_, ui::kEventKeyDown, VK_DOWN, 0, VK_DOWN);
    EXPECT_EQ(list_.GetCurSel(), -1);
    Control::SendEvent(&list_, ui::kEventKeyDown, VK_HOME, 0, VK_HOME);
    EXPECT_EQ(list_.GetScrollPos().cy, 0);
    list_.RemoveAll();
    EXPECT_EQ(list_.GetCount(), 0);
}

}  // namespace
