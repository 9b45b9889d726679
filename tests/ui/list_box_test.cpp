#include "ui/list_box.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/timer_test_support.h"
#include "ui/list_container_element.h"
#include "ui/vlayout.h"
#include "ui/window.h"

namespace {

using ui::Control;
using ui::ListBox;
using ui::ListContainerElement;

// A vertical list of 100 x 100 pixels in a window without a native handle; its elements are
// 30 pixels high, and every select and unselect event is logged as "select 2 0" (new, old)
// or "unselect 1" (the element's index).
class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        list_.SetWindowAndParent(&window_, nullptr, false);
        list_.SetAttribute(L"vscrollbar", L"true");
        list_.EventMapAt(ui::kEventSelect).push_back([this](ui::EventArgs* args) {
            log_.push_back("select " + std::to_string(args->wParam) + " " + std::to_string(static_cast<int>(args->lParam)));
            return true;
        });
    }

    template <class T = ListContainerElement>
    T* Add() {
        auto item = std::make_unique<T>();
        item->SetFixedHeight(30, false);
        T* raw = item.get();
        if (list_.Add(raw)) item.release();
        if (auto* element = dynamic_cast<ListContainerElement*>(static_cast<Control*>(raw))) Watch(element);
        list_.SetPos(RECT{0, 0, 100, 100});
        return raw;
    }

    void Watch(ListContainerElement* element) {
        element->EventMapAt(ui::kEventUnSelect).push_back([this, element](ui::EventArgs*) {
            log_.push_back("unselect " + std::to_string(element->GetIndex()));
            return true;
        });
    }

    void AddElements(int count) {
        for (int i = 0; i < count; ++i) Add();
    }

    ListContainerElement* Element(int index) {
        return dynamic_cast<ListContainerElement*>(list_.GetItemAt(static_cast<std::size_t>(index)));
    }

    void Key(WPARAM key) { Control::SendEvent(&list_, ui::kEventKeyDown, key, 0, static_cast<wchar_t>(key)); }

    ui::Window window_;
    ListBox list_{new ui::VLayout};
    std::vector<std::string> log_;
};

TEST_F(ListBoxTest, SelectingUnselectsTheOldElementFirst) {
    AddElements(3);
    EXPECT_TRUE(list_.SelectItem(1, false, true));
    EXPECT_TRUE(Element(1)->IsSelected());
    EXPECT_TRUE(list_.SelectItem(1, false, true));  // the same again: unselected, then selected
    EXPECT_EQ(log_, (std::vector<std::string>{"select 1 -1", "unselect 1", "select 1 1"}));

    log_.clear();
    Element(2)->SetEnabled(false);
    EXPECT_FALSE(list_.SelectItem(2, false, true));
    EXPECT_EQ(list_.GetCurSel(), -1);
    EXPECT_FALSE(Element(1)->IsSelected());
    EXPECT_EQ(log_, (std::vector<std::string>{"unselect 1"}));
}

TEST_F(ListBoxTest, ClickOnAnElementSelectsItThroughTheList) {
    AddElements(3);
    Control::SendEvent(Element(2), ui::kEventMouseButtonDown, 0, 0, 0, POINT{10, 70});
    Control::SendEvent(Element(2), ui::kEventMouseButtonUp, 0, 0, 0, POINT{10, 70});
    EXPECT_EQ(list_.GetCurSel(), 2);
    EXPECT_EQ(log_, (std::vector<std::string>{"select 2 -1"}));
    Element(0)->Selected(false, true);  // an element is unselected by its list alone
    EXPECT_EQ(list_.GetCurSel(), 2);
}

TEST_F(ListBoxTest, ArrowKeysStopAtTheEnds) {
    AddElements(3);
    list_.SelectItem(0, false, false);
    Key(VK_UP);
    EXPECT_EQ(list_.GetCurSel(), 0);
    Key(VK_END);
    EXPECT_EQ(list_.GetCurSel(), 2);
    Key(VK_DOWN);
    EXPECT_EQ(list_.GetCurSel(), 2);
    Key(VK_HOME);
    EXPECT_EQ(list_.GetCurSel(), 0);
    Key(VK_DOWN);
    EXPECT_EQ(list_.GetCurSel(), 1);

    // Only a plain control follows the last element: Down finds nothing.
    Add<Control>();
    list_.SelectItem(2, false, false);
    Key(VK_DOWN);
    EXPECT_EQ(list_.GetCurSel(), -1);
}

TEST_F(ListBoxTest, WheelScrollsOrSelectsAsAsked) {
    AddElements(10);
    list_.SelectItem(0, false, false);
    Control::SendEvent(&list_, ui::kEventMouseScrollWheel, static_cast<WPARAM>(static_cast<LONG_PTR>(-120)));
    EXPECT_TRUE(ui_test::PumpMessagesUntil([this] { return list_.GetScrollPos().cy == 120; }));
    EXPECT_EQ(list_.GetCurSel(), 0);

    list_.SetAttribute(L"scrollselect", L"true");
    Control::SendEvent(&list_, ui::kEventMouseScrollWheel, static_cast<WPARAM>(static_cast<LONG_PTR>(-120)));
    EXPECT_EQ(list_.GetCurSel(), 1);
    Control::SendEvent(&list_, ui::kEventMouseScrollWheel, 120);
    EXPECT_EQ(list_.GetCurSel(), 0);
}

TEST_F(ListBoxTest, SelectionFollowsInsertionsRemovalsAndMoves) {
    AddElements(3);
    list_.SelectItem(2, false, false);
    auto inserted = std::make_unique<ListContainerElement>();
    ASSERT_TRUE(list_.AddAt(inserted.release(), 0));
    EXPECT_EQ(list_.GetCurSel(), 3);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Element(i)->GetIndex(), i);

    ASSERT_TRUE(list_.SetItemIndex(Element(3), 0));
    EXPECT_EQ(list_.GetCurSel(), 0);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Element(i)->GetIndex(), i);

    log_.clear();
    ASSERT_TRUE(list_.RemoveAt(0));  // the selected one: the new first is selected
    EXPECT_EQ(list_.GetCurSel(), 0);
    EXPECT_EQ(log_, (std::vector<std::string>{"select 0 -1"}));
    EXPECT_FALSE(list_.RemoveAt(7));
}

TEST_F(ListBoxTest, HidingTheSelectedElementLeavesNoSelection) {
    AddElements(3);
    list_.SelectItem(1, false, false);
    Element(1)->SetFadeVisible(false);
    EXPECT_EQ(list_.GetCurSel(), -1);
    EXPECT_FALSE(Element(1)->IsSelected());
}

TEST_F(ListBoxTest, SelectionScrollsTheElementIntoView) {
    AddElements(10);  // 300 pixels of content in a view of 100
    list_.SelectItem(5, false, false);
    EXPECT_EQ(list_.GetScrollPos().cy, 80);  // element 5 spans 150..180
    list_.SelectItem(1, false, false);
    EXPECT_EQ(list_.GetScrollPos().cy, 30);
    EXPECT_TRUE(list_.MoveItemToTop(Element(4)));
    EXPECT_EQ(list_.GetScrollPos().cy, 120);
    list_.SetScrollPos(SIZE{0, 125});
    EXPECT_EQ(list_.FindTopItem(), Element(4));
}

TEST(BoxFindSelectableTest, SearchesFromTheClampedIndex) {
    ui::Box box(nullptr);
    EXPECT_EQ(box.FindSelectable(0, true), -1);
    for (int i = 0; i < 4; ++i) {
        std::unique_ptr<Control> child;
        if (i == 1 || i == 2) {
            child = std::make_unique<ListContainerElement>();
        } else {
            child = std::make_unique<Control>();
        }
        if (box.Add(child.get())) child.release();
    }
    box.GetItemAt(2)->SetEnabled(false);
    EXPECT_EQ(box.FindSelectable(-1, false), 1);  // backward from -1 starts at 0, then forward
    EXPECT_EQ(box.FindSelectable(9, false), 1);
    EXPECT_EQ(box.FindSelectable(2, true), -1);
    EXPECT_EQ(box.FindSelectable(0, true), 1);
}

}  // namespace
