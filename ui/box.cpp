#include "ui/box.h"

#include <algorithm>
#include <utility>

#include "ui/list_container_element.h"
#include "ui/window.h"

namespace ui {
namespace {

RECT Deflated(RECT rect, RECT padding) {
    return RECT{rect.left + padding.left, rect.top + padding.top, rect.right - padding.right,
                rect.bottom - padding.bottom};
}

// FindControl callback that makes a window forget each control of a subtree leaving it.
Control* ForgetInWindow(Control* control, void* window) {
    static_cast<Window*>(window)->ReapObjects(control);
    return nullptr;
}

}  // namespace

Box::Box(Layout* layout) : layout_(layout ? layout : new Layout) {
    layout_->SetOwner(this);
}

Box::~Box() {
    // Owned children die with the box, not later in the window, where they would outlive
    // their parent.
    delayedDestroy_ = false;
    for (Control* child : std::exchange(items_, {})) Dispose(child);
}

void Box::SetWindowAndParent(Window* window, Box* parent, bool init) {
    for (Control* child : items_) child->SetWindowAndParent(window, this, init);
    Control::SetWindowAndParent(window, parent, init);
}

SIZE Box::EstimateSize(SIZE available) {
    SIZE size{fixedWidth_, fixedHeight_};
    if (size.cx != kSizeAuto && size.cy != kSizeAuto) return size;
    if (!reEstimateSize_) return estimateSize_;
    const RECT padding = layout_->GetPadding();
    available.cx -= padding.left + padding.right;
    available.cy -= padding.top + padding.bottom;
    const SIZE needed = layout_->MeasureChildren(items_, available);
    if (size.cx == kSizeAuto) size.cx = needed.cx;
    if (size.cy == kSizeAuto) size.cy = needed.cy;
    // An auto-sized child that still has to measure keeps this box measuring too.
    reEstimateSize_ = std::any_of(items_.begin(), items_.end(), [](const Control* child) {
        return child->IsVisible() && child->IsReEstimateSize() &&
               (child->GetFixedWidth() == kSizeAuto || child->GetFixedHeight() == kSizeAuto);
    });
    estimateSize_ = size;
    return size;
}

void Box::SetPos(RECT rect) {
    Control::SetPos(rect);
    if (items_.empty()) return;
    layout_->ArrangeChildren(items_, Deflated(rect, layout_->GetPadding()));
}

void Box::SetInternalVisible(bool visible) {
    Control::SetInternalVisible(visible);
    for (Control* child : items_) child->SetInternalVisible(IsVisible());
}

void Box::SetVisible(bool visible) {
    Control::SetVisible(visible);
    for (Control* child : items_) child->SetInternalVisible(IsVisible());
}

void Box::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    Control::SetEnabled(enabled);
    for (Control* child : items_) child->SetEnabled(enabled);
    Invalidate();
}

Control* Box::FindControl(FindControlCallback callback, void* data, UINT flags, SIZE offset) {
    if ((flags & kFindVisible) && !IsVisible()) return nullptr;
    if ((flags & kFindEnabled) && !IsEnabled()) return nullptr;
    const bool hitTest = (flags & kFindHitTest) != 0;
    POINT point{0, 0};
    if (hitTest) {
        point = *static_cast<const POINT*>(data);
        const RECT rect = GetPos();
        if (!::PtInRect(&rect, point)) return nullptr;
        if (!mouseChildEnabled_) return Control::FindControl(callback, data, flags);
    }
    if (flags & kFindMeFirst) {
        if (Control* found = Control::FindControl(callback, data, flags)) return found;
    }
    POINT childPoint{point.x + offset.cx, point.y + offset.cy};
    void* childData = hitTest ? &childPoint : data;
    const RECT content = GetPosWithoutPadding();
    const bool topFirst = (flags & kFindTopFirst) != 0;
    for (std::size_t n = 0; n < items_.size(); ++n) {
        Control* child = items_[topFirst ? items_.size() - 1 - n : n];
        Control* found = child->FindControl(callback, childData, flags);
        if (found && (!hitTest || found->IsFloat() || ::PtInRect(&content, point))) return found;
    }
    return (flags & kFindMeFirst) ? nullptr : Control::FindControl(callback, data, flags);
}

void Box::DispatchEvent(EventArgs* args) {
    if (args->type >= kEventInternalDoubleClick && args->type <= kEventInternalKillFocus) {
        HandleEvent(args);
        return;
    }
    const std::weak_ptr<kbase::WeakFlag> alive = ObtainWeakFlag();
    bool proceed = true;
    // Runs one handler list (handlers may change the lists while it runs); false once the box
    // is gone, and then nothing of it may be touched.
    const auto run = [&](const EventMap& map, int type) {
        const auto found = map.find(type);
        if (found != map.end()) proceed = FireCallbacks(found->second, args, alive);
        return !alive.expired();
    };
    if (args->sender == this) {
        if (!run(codeEvents_, args->type) || !run(codeEvents_, kEventAll)) return;
        if (proceed && (!run(xmlEvents_, args->type) || !run(xmlEvents_, kEventAll))) return;
    }
    if (!run(bubbledEvents_, args->type) || !run(bubbledEvents_, kEventAll)) return;
    if (proceed && (!run(xmlBubbledEvents_, args->type) || !run(xmlBubbledEvents_, kEventAll))) return;
    if (proceed) HandleEvent(args);
}

void Box::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (layout_->SetAttribute(name, value)) return;
    if (name == L"mousechild") {
        SetMouseChildEnabled(value == L"true");
    } else {
        Control::SetAttribute(name, value);
    }
}

void Box::PaintChild(IRenderContext* context, const RECT& dirty) {
    RECT overlap{};
    if (!::IntersectRect(&overlap, &dirty, &rect_)) return;
    for (Control* child : items_) {
        if (child->IsVisible()) child->AlphaPaint(context, dirty);
    }
}

void Box::ReloadImageFromCache() {
    Control::ReloadImageFromCache();
    for (Control* child : items_) child->ReloadImageFromCache();
}

void Box::ReleaseBkImage() {
    Control::ReleaseBkImage();
    for (Control* child : items_) child->ReleaseBkImage();
}

void Box::ClearImageCache() {
    Control::ClearImageCache();
    for (Control* child : items_) child->ClearImageCache();
}

int Box::FindSelectable(int index, bool forward) const {
    const int count = GetCount();
    if (count == 0) return -1;
    const auto selectable = [this](int i) {
        const auto* element = dynamic_cast<const ListContainerElement*>(items_[static_cast<std::size_t>(i)]);
        return element && element->IsVisible() && element->IsEnabled();
    };
    const int start = std::clamp(index, 0, count - 1);
    if (forward) {
        for (int i = start; i < count; ++i) {
            if (selectable(i)) return i;
        }
        return -1;
    }
    for (int i = start; i >= 0; --i) {
        if (selectable(i)) return i;
    }
    return FindSelectable(0, true);
}

Control* Box::GetItemAt(std::size_t index) const {
    return index < items_.size() ? items_[index] : nullptr;
}

int Box::GetCount() const {
    return static_cast<int>(items_.size());
}

int Box::GetItemIndex(Control* control) const {
    const auto found = std::find(items_.begin(), items_.end(), control);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

bool Box::SetItemIndex(Control* control, std::size_t index) {
    const int current = GetItemIndex(control);
    if (current < 0 || index >= items_.size()) return false;
    Arrange();
    items_.erase(items_.begin() + current);
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), control);
    return true;
}

bool Box::Add(Control* control) {
    return AddAt(control, items_.size());
}

bool Box::AddAt(Control* control, std::size_t index) {
    if (!control || index > items_.size() || GetItemIndex(control) >= 0 || IsSelfOrAncestor(control)) return false;
    if (Box* previous = control->GetParent()) previous->TakeOut(control);
    // The parent is set also without a window, so a later move finds the box to leave.
    control->SetWindowAndParent(window_, this, window_ != nullptr);
    if (window_) window_->RegisterNamedControls(control);
    if (IsVisible()) Arrange();
    if (control->IsInternalVisible() != IsVisible()) control->SetInternalVisible(IsVisible());
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), control);
    return true;
}

bool Box::Remove(Control* control) {
    const int index = GetItemIndex(control);
    if (index < 0) return false;
    Arrange();
    items_.erase(items_.begin() + index);
    Dispose(control);
    return true;
}

bool Box::RemoveAt(std::size_t index) {
    Control* child = GetItemAt(index);
    return child && Remove(child);
}

void Box::RemoveAll() {
    for (Control* child : std::exchange(items_, {})) Dispose(child);
    Arrange();
}

void Box::SwapChildren(Control* a, Control* b) {
    for (Control*& child : items_) {
        if (child == a) {
            child = b;
        } else if (child == b) {
            child = a;
        }
    }
}

void Box::ResetLayout(Layout* layout) {
    if (!layout) return;
    layout_.reset(layout);
    // A layout without owner could not arrange anything when its spacing changes.
    layout_->SetOwner(this);
}

RECT Box::GetPosWithoutPadding() const {
    return Deflated(GetPos(true), layout_->GetPadding());
}

bool Box::IsSelfOrAncestor(const Control* control) const {
    for (const Box* box = this; box; box = box->GetParent()) {
        if (box == control) return true;
    }
    return false;
}

void Box::TakeOut(Control* child) {
    const int index = GetItemIndex(child);
    if (index < 0) return;
    Arrange();
    items_.erase(items_.begin() + index);
    Detach(child);
}

void Box::Dispose(Control* child) {
    if (!autoDestroy_) {
        Detach(child);
    } else if (delayedDestroy_ && window_) {
        child->SetWindowAndParent(window_, nullptr, false);
        window_->DelayDelete(child);
    } else {
        const std::unique_ptr<Control> owned(child);  // the box owns its children: deleted here
    }
}

void Box::Detach(Control* child) {
    // The window must not keep pointers to a subtree that may die without it knowing.
    if (window_) child->FindControl(&ForgetInWindow, window_, 0);
    child->SetWindowAndParent(nullptr, nullptr, false);
}

}  // namespace ui
