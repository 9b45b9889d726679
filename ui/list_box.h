#pragma once

#include <string>

#include "ui/list_owner.h"
#include "ui/scrollable_box.h"

namespace ui {

class ListContainerElement;

// A scrollable box of list elements with one selection, moved by the keyboard and, with
// "scrollselect", by the wheel; the selected element is kept in view. Every way of adding,
// removing or moving a child keeps the elements' indices (their places among all children)
// and the selection in step. UI thread only.
class ListBox : public ScrollableBox, public IListOwner {
public:
    explicit ListBox(Layout* layout);  // takes ownership; null means the plain layout

    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void HandleEvent(EventArgs* args) override;
    // Presses stop a running smooth scroll.
    bool ButtonDown(EventArgs* args) override;
    bool AddAt(Control* control, std::size_t index) override;
    bool Remove(Control* control) override;
    // Removing the selected element selects the selectable one before it (or the first).
    bool RemoveAt(std::size_t index) override;
    void RemoveAll() override;
    bool SetItemIndex(Control* control, std::size_t index) override;

    // IListOwner.
    int GetCurSel() const override { return currentSelection_; }
    // Unselects the current element (it gets kEventUnSelect), then selects the element at
    // index when it is a visible, enabled list element; with trigger the list raises
    // kEventSelect (wParam the new index, lParam the old one). False leaves no selection.
    bool SelectItem(int index, bool takeFocus, bool trigger) override;
    void DispatchItemEvent(EventArgs* args) override { DispatchEvent(args); }
    // Scrolls by the least that brings the rectangle into view; a list inside a list element
    // passes an item in view on to the outer list.
    void EnsureVisible(const RECT& rect) override;
    void StopScrollAnimation() override { ScrollableBox::StopScrollAnimation(); }

    // Scrolls the child to the top of the view; false when it is not a child, the list
    // cannot scroll or the child cannot go to the top.
    virtual bool MoveItemToTop(Control* control);
    virtual bool MoveNamedItemToTop(const std::wstring& name);
    // The first placed child that reaches below the top of the view.
    virtual Control* FindTopItem() const;

    bool IsScrollSelect() const { return scrollSelect_; }
    void SetScrollSelect(bool scrollSelect) { scrollSelect_ = scrollSelect; }

private:
    // Gives every element from `from` on its place among the children.
    void RenumberFrom(std::size_t from);
    bool SelectNear(int index, bool forward);

    bool scrollSelect_ = false;
    int currentSelection_ = -1;
};

}  // namespace ui
