#include "ui/list_box.h"

#include <algorithm>

#include "ui/attribute_values.h"
#include "ui/list_container_element.h"
#include "ui/scroll_bar.h"
#include "ui/window.h"

namespace ui {

ListBox::ListBox(Layout* layout) : ScrollableBox(layout) {}

void ListBox::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"scrollselect") {
        scrollSelect_ = ParseBool(value);
    } else {
        ScrollableBox::SetAttribute(name, value);
    }
}

// --- selection -------------------------------------------------------------------------------------

bool ListBox::SelectItem(int index, bool takeFocus, bool trigger) {
    const int previous = currentSelection_;
    if (previous >= 0) {
        if (auto* old = dynamic_cast<ListContainerElement*>(GetItemAt(static_cast<std::size_t>(previous)))) {
            old->SetSelectedFlag(false);
            if (old->GetWindow()) SendEvent(old, kEventUnSelect);
        }
    }
    currentSelection_ = -1;
    Control* item = index >= 0 ? GetItemAt(static_cast<std::size_t>(index)) : nullptr;
    auto* element = dynamic_cast<ListContainerElement*>(item);
    if (!element || !element->IsVisible() || !element->IsEnabled()) return false;

    currentSelection_ = index;
    // The option's own selection: the element's override would come back here.
    element->OptionTemplate<Box>::Selected(true, trigger);
    EnsureVisible(element->GetPos());
    if (takeFocus) element->SetFocus();
    if (window_ && trigger) SendEvent(this, kEventSelect, static_cast<WPARAM>(index), static_cast<LPARAM>(previous));
    return true;
}

bool ListBox::SelectNear(int index, bool forward) {
    return SelectItem(FindSelectable(index, forward), true, true);
}

void ListBox::EnsureVisible(const RECT& rect) {
    const SIZE scroll = GetScrollPos();
    RECT item = rect;
    ::OffsetRect(&item, -scroll.cx, -scroll.cy);
    RECT view = GetPosWithoutPadding();
    if (ScrollBar* bar = GetHorizontalScrollBar(); bar && bar->IsVisible()) view.bottom -= bar->GetFixedHeight();

    if (item.left >= view.left && item.top >= view.top && item.right <= view.right && item.bottom <= view.bottom) {
        if (auto* outer = dynamic_cast<ListContainerElement*>(GetParent()); outer && outer->GetOwner()) {
            outer->GetOwner()->EnsureVisible(item);
        }
        return;
    }
    int dx = 0;
    if (item.right > view.right) {
        dx = item.right - view.right;
    } else if (item.left < view.left) {
        dx = item.left - view.left;
    }
    int dy = 0;
    if (item.bottom > view.bottom) {
        dy = item.bottom - view.bottom;
    } else if (item.top < view.top) {
        dy = item.top - view.top;
    }
    SetScrollPos(SIZE{scroll.cx + dx, scroll.cy + dy});
}

// --- input -----------------------------------------------------------------------------------------

void ListBox::HandleEvent(EventArgs* args) {
    const int type = args->type;
    if (!IsMouseEnabled() && IsMouseEvent(type)) {
        ScrollableBox::HandleEvent(args);  // passes it to the parent
        return;
    }
    switch (type) {
    case kEventKeyDown:
        switch (args->key) {
        case VK_END: SelectNear(GetCount() - 1, true); return;
        case VK_HOME: SelectNear(0, false); return;
        case VK_UP: SelectNear(currentSelection_ - 1, false); return;
        case VK_DOWN: SelectNear(currentSelection_ + 1, true); return;
        default: break;
        }
        break;
    case kEventMouseButtonDown:
    case kEventMouseButtonUp:
        return;
    case kEventMouseScrollWheel:
        if (!scrollSelect_) break;
        if (static_cast<int>(static_cast<LONG_PTR>(args->wParam)) > 0) {
            SelectNear(currentSelection_ - 1, false);
        } else {
            SelectNear(currentSelection_ + 1, true);
        }
        return;
    default:
        break;
    }
    ScrollableBox::HandleEvent(args);
}

bool ListBox::ButtonDown(EventArgs* args) {
    const bool enabled = ScrollableBox::ButtonDown(args);
    StopScrollAnimation();
    return enabled;
}

// --- items -----------------------------------------------------------------------------------------

void ListBox::RenumberFrom(std::size_t from) {
    for (std::size_t i = from; i < items_.size(); ++i) {
        if (auto* element = dynamic_cast<ListContainerElement*>(items_[i])) element->SetIndex(static_cast<int>(i));
    }
}

bool ListBox::AddAt(Control* control, std::size_t index) {
    if (!ScrollableBox::AddAt(control, index)) return false;
    if (auto* element = dynamic_cast<ListContainerElement*>(control)) element->SetOwner(this);
    RenumberFrom(index);
    if (currentSelection_ >= static_cast<int>(index)) ++currentSelection_;
    return true;
}

bool ListBox::Remove(Control* control) {
    const int index = GetItemIndex(control);
    return index >= 0 && RemoveAt(static_cast<std::size_t>(index));
}

bool ListBox::RemoveAt(std::size_t index) {
    Control* item = GetItemAt(index);
    if (!item || !ScrollableBox::Remove(item)) return false;
    RenumberFrom(index);
    const int removed = static_cast<int>(index);
    if (removed == currentSelection_) {
        currentSelection_ = removed - 1;
        SelectItem(FindSelectable(removed, false), false, true);
    } else if (removed < currentSelection_) {
        --currentSelection_;
    }
    return true;
}

void ListBox::RemoveAll() {
    currentSelection_ = -1;
    ScrollableBox::RemoveAll();
}

bool ListBox::SetItemIndex(Control* control, std::size_t index) {
    const int current = GetItemIndex(control);
    if (current < 0) return false;
    if (current == static_cast<int>(index)) return true;
    if (index >= items_.size()) return false;
    Control* selected = currentSelection_ >= 0 ? GetItemAt(static_cast<std::size_t>(currentSelection_)) : nullptr;
    ScrollableBox::SetItemIndex(control, index);
    RenumberFrom(std::min(static_cast<std::size_t>(current), index));
    if (selected) currentSelection_ = GetItemIndex(selected);
    return true;
}

// --- scrolling to items ----------------------------------------------------------------------------

bool ListBox::MoveItemToTop(Control* control) {
    if (GetItemIndex(control) < 0 || GetScrollRange().cy == 0) return false;
    const int y = control->GetPos().top - (rect_.top + layout_->GetPadding().top);
    if (y < 0) return false;
    SetScrollPos(SIZE{GetScrollPos().cx, y});
    return true;
}

bool ListBox::MoveNamedItemToTop(const std::wstring& name) {
    const auto found = std::find_if(items_.begin(), items_.end(), [&name](const Control* c) { return c->GetName() == name; });
    return found != items_.end() && MoveItemToTop(*found);
}

Control* ListBox::FindTopItem() const {
    const int top = rect_.top + layout_->GetPadding().top + GetScrollPos().cy;
    for (Control* child : items_) {
        if (child->IsVisible() && !child->IsFloat() && child->GetPos().bottom >= top) return child;
    }
    return nullptr;
}

}  // namespace ui
