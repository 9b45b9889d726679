// The gallery's list, tab box and scroll bar rows under posted mouse, wheel and key input.

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/ui/gallery_window.h"
#include "ui/list_box.h"
#include "ui/scroll_bar.h"
#include "ui/tab_box.h"

namespace {

constexpr DWORD kSelected = 0xff3c8ce7;  // gallery_blue, a selected item's ground
constexpr DWORD kGold = 0xffe8a33d;
constexpr DWORD kGreen = 0xff46b37a;
constexpr DWORD kThumb = 0xff8a8f99;

class ListGalleryTest : public gallery::GalleryTest {
protected:
    // A point inside an item's ground, left of its text.
    POINT GroundOf(const std::wstring& name) {
        const RECT r = RectOf(name);
        return POINT{r.left + 3, r.top + 4};
    }
    void Wheel(POINT at, int delta) {
        POINT screen = at;
        ::ClientToScreen(hwnd_, &screen);
        ::PostMessageW(hwnd_, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(screen.x, screen.y));
    }
    void Key(WPARAM key) {
        ::PostMessageW(hwnd_, WM_KEYDOWN, key, 1);
        ::PostMessageW(hwnd_, WM_KEYUP, key, 0xC0000001);
        window_test::PumpPending();
    }
};

TEST_F(ListGalleryTest, ClickSelectsAnItemAndArrowKeysMoveTheSelection) {
    auto* list = Find<ui::ListBox>(L"list");
    ASSERT_TRUE(list);
    int* selects = CountEvents(list, ui::kEventSelect);
    Click(L"item_2");
    EXPECT_EQ(list->GetCurSel(), 2);
    EXPECT_EQ(*selects, 1);
    EXPECT_TRUE(PixelBecomes(GroundOf(L"item_2"), kSelected));

    Key(VK_DOWN);
    EXPECT_EQ(list->GetCurSel(), 3);
    EXPECT_TRUE(PixelBecomes(GroundOf(L"item_3"), kSelected));
    EXPECT_FALSE(gallery::Near(PixelAt(GroundOf(L"item_2").x, GroundOf(L"item_2").y), kSelected));
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(list->GetCurSel(), 1);
}

TEST_F(ListGalleryTest, WheelScrollsTheListContentWithItsEasing) {
    auto* list = Find<ui::ListBox>(L"list");
    ASSERT_TRUE(list);
    const int range = list->GetScrollRange().cy;
    ASSERT_GT(range, 0);
    Click(L"item_0");
    const POINT ground = GroundOf(L"item_0");
    ASSERT_TRUE(PixelBecomes(ground, kSelected));

    Wheel(CentreOf(L"list"), -WHEEL_DELTA);
    int between = 0;  // positions on the way, neither the start nor the end
    ASSERT_TRUE(ui_test::PumpMessagesUntil([&] {
        const int y = list->GetScrollPos().cy;
        if (y > 0 && y < range) ++between;
        return y == range;
    }));
    EXPECT_GT(between, 0);
    EXPECT_EQ(list->GetCurSel(), 0);  // the wheel scrolls, it does not select
    // The selected item has moved up and out of the top of the view.
    EXPECT_FALSE(gallery::Near(PixelAt(ground.x, ground.y), kSelected));
}

TEST_F(ListGalleryTest, DraggingTheThumbScrollsTheList) {
    auto* list = Find<ui::ListBox>(L"list");
    ASSERT_TRUE(list);
    ui::ScrollBar* bar = list->GetVerticalScrollBar();
    ASSERT_TRUE(bar && bar->IsVisible());
    const RECT thumb = bar->GetParts().thumb;
    const POINT grip{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    EXPECT_TRUE(PixelBecomes(grip, kThumb));

    MoveTo(grip);
    Press(grip);
    const POINT lower{grip.x, grip.y + 20};
    MoveTo(lower);
    ASSERT_TRUE(ui_test::PumpMessagesUntil([&] { return list->GetScrollPos().cy > 0; }));
    Release(lower);
    const RECT moved = bar->GetParts().thumb;
    EXPECT_GT(moved.top, thumb.top);
    EXPECT_TRUE(PixelBecomes(POINT{grip.x, moved.bottom - 2}, kThumb));
}

TEST_F(ListGalleryTest, ClickOnATabHeadSwitchesThePage) {
    auto* heads = Find<ui::ListBox>(L"tab_heads");
    auto* tabs = Find<ui::TabBox>(L"tabs");
    ASSERT_TRUE(heads && tabs);
    heads->EventMapAt(ui::kEventSelect).push_back([tabs](ui::EventArgs* args) {
        tabs->SelectItem(static_cast<int>(args->wParam));
        return true;
    });
    const POINT page = CentreOf(L"tabs");
    EXPECT_TRUE(PixelBecomes(page, kGold));
    Click(L"tab_head_b");
    EXPECT_EQ(tabs->GetCurSel(), 1);
    EXPECT_TRUE(PixelBecomes(page, kGreen));
    Click(L"tab_head_a");
    EXPECT_TRUE(PixelBecomes(page, kGold));
}

}  // namespace
