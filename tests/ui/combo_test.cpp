// The combo box in the gallery window: its drop-down opens on a click, selects an item and
// closes, closes without a choice when the focus goes elsewhere, and never outlives its combo.
#include "ui/combo.h"

#include <gtest/gtest.h>

#include "tests/ui/gallery_window.h"
#include "ui/combo_wnd.h"
#include "ui/list_box.h"
#include "ui/scroll_bar.h"

namespace {

using gallery::GalleryTest;

class ComboTest : public GalleryTest {
protected:
    void SetUp() override {
        GalleryTest::SetUp();
        combo_ = Find<ui::Combo>(L"combo");
    }

    // Opens the drop-down by a click and returns its window.
    HWND Open() {
        Click(L"combo");
        ui::CComboWnd* drop = combo_->GetDropWindow();
        if (!drop) return nullptr;
        const HWND hwnd = drop->GetHWND();
        ui_test::PumpMessagesUntil([drop] { return !drop->IsArrangePending(); });
        window_test::PumpPending();
        return hwnd;
    }
    bool WaitClosed() {
        return ui_test::PumpMessagesUntil([this] { return combo_->GetDropWindow() == nullptr; }, 3000);
    }
    // A click inside the drop-down, on the centre of its item.
    void ClickItem(HWND drop, int index) {
        const RECT item = combo_->GetListBox()->GetItemAt(static_cast<std::size_t>(index))->GetPos();
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        ::PostMessageW(drop, WM_MOUSEMOVE, 0, at);
        ::PostMessageW(drop, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(drop, WM_LBUTTONUP, 0, at);
        window_test::PumpPending();
    }

    ui::Combo* combo_ = nullptr;
};

TEST_F(ComboTest, AClickOpensTheDropDownUnderTheComboSizedToItsItems) {
    int* clicks = CountEvents(combo_, ui::kEventClick);
    const HWND drop = Open();
    ASSERT_TRUE(drop);
    EXPECT_TRUE(::IsWindowVisible(drop));
    EXPECT_EQ(*clicks, 1);
    RECT window{};
    ::GetWindowRect(drop, &window);
    RECT combo = RectOf(L"combo");
    ::MapWindowPoints(hwnd_, HWND_DESKTOP, reinterpret_cast<POINT*>(&combo), 2);
    EXPECT_EQ(window.left, combo.left);
    EXPECT_EQ(window.right, combo.right);
    EXPECT_EQ(window.top, combo.bottom + 1);
    EXPECT_EQ(window.bottom - window.top, 3 * 30 + 2);
    // The list shows in the pop-up: its white ground, the items' text.
    ui::IRenderContext& popup = *combo_->GetDropWindow()->GetRenderContext();
    ui_test::WriteRenderContextPng(popup, L"gallery_combo_drop.png", 2);
    EXPECT_TRUE(gallery::Near(ui_test::PixelAt(popup, window.right - window.left - 4, 4), 0xFFFFFFFF));

    // A second click on the combo while open opens nothing more.
    ui::CComboWnd* first = combo_->GetDropWindow();
    combo_->Activate();
    EXPECT_EQ(combo_->GetDropWindow(), first);
}

TEST_F(ComboTest, ChoosingAnItemClosesTheDropDownAndSelectsIt) {
    std::vector<WPARAM> selections;
    combo_->EventMapAt(ui::kEventSelect).push_back([&selections](ui::EventArgs* args) {
        selections.push_back(args->wParam);
        return true;
    });
    const RECT r = RectOf(L"combo");
    const RECT text{r.left + 4, r.top, r.left + 130, r.bottom};
    EXPECT_EQ(combo_->GetCurSel(), -1);
    EXPECT_EQ(InkIn(text), 0);

    const HWND drop = Open();
    ASSERT_TRUE(drop);
    ClickItem(drop, 1);
    EXPECT_TRUE(WaitClosed());
    EXPECT_FALSE(::IsWindow(drop));
    EXPECT_EQ(combo_->GetCurSel(), 1);
    EXPECT_EQ(selections, (std::vector<WPARAM>{1}));
    EXPECT_GT(InkIn(text), 0);  // the chosen item's text in the combo
    WritePng(L"gallery_combo_chosen.png");

    // Emptied, the combo has no selection and shows no text.
    combo_->RemoveAll();
    EXPECT_EQ(combo_->GetCurSel(), -1);
    EXPECT_EQ(combo_->GetCount(), 0);
    window_test::PumpPending();
    EXPECT_EQ(InkIn(text), 0);
}

TEST_F(ComboTest, AClickElsewhereClosesTheDropDownWithoutAChoice) {
    const HWND drop = Open();
    ASSERT_TRUE(drop);
    Click(L"button_play");
    EXPECT_TRUE(WaitClosed());
    EXPECT_EQ(combo_->GetCurSel(), -1);
    // The list went back to the combo, out of any window.
    EXPECT_EQ(combo_->GetListBox()->GetWindow(), nullptr);
    EXPECT_EQ(combo_->GetListBox()->GetParent(), nullptr);
}

TEST_F(ComboTest, TheDropBoxAttributesGoToTheListWhoseVerticalBarStays) {
    ui::ListBox* list = combo_->GetListBox();
    EXPECT_EQ(list->GetBkColor(), L"gallery_white");  // from the skin's "dropbox"
    combo_->SetAttribute(L"dropbox", L"bkcolor='gallery_gold' padding='2,2,2,2'");
    EXPECT_EQ(list->GetBkColor(), L"gallery_gold");
    EXPECT_EQ(list->GetLayout()->GetPadding().left, 2);
    combo_->SetAttribute(L"vscrollbar", L"false");
    EXPECT_NE(list->GetVerticalScrollBar(), nullptr);
}

TEST_F(ComboTest, PopUpTopOpensTheDropDownAboveTheCombo) {
    combo_->SetAttribute(L"popuptop", L"true");
    combo_->SetAttribute(L"dropboxsize", L"200,40");
    const HWND drop = Open();
    ASSERT_TRUE(drop);
    RECT window{};
    ::GetWindowRect(drop, &window);
    RECT combo = RectOf(L"combo");
    ::MapWindowPoints(hwnd_, HWND_DESKTOP, reinterpret_cast<POINT*>(&combo), 2);
    EXPECT_EQ(window.bottom, combo.top);
    EXPECT_EQ(window.bottom - window.top, 40);  // the list scrolls in what it is given
    EXPECT_EQ(window.right - window.left, 200);
}

// The drop-down holds the combo's list and a pointer to the combo: a combo destroyed while it
// is open closes it first.
TEST_F(ComboTest, DestroyingTheComboWhileOpenClosesTheDropDownFirst) {
    const HWND drop = Open();
    ASSERT_TRUE(drop);
    ui::Box* row = combo_->GetParent();
    row->SetDelayedDestroy(false);
    ASSERT_TRUE(row->Remove(combo_));
    EXPECT_FALSE(::IsWindow(drop));
    window_test::PumpPending();  // stray messages to the gone pop-up do nothing
    Click(L"button_play");
}

}  // namespace
