#include <algorithm>
#include <cstdlib>

#include "ui/render/auto_clip.h"
#include "ui/render/render_context.h"
#include "ui/scroll_bar.h"
#include "ui/scrollable_box.h"

namespace ui {
namespace {

// The line-step easing: constant speed for the first half, slowing to rest in the second.
constexpr double kLineStepSlowDownFactor = -0.012;
constexpr double kLineStepSlowDownRatio = 0.5;
// The slide of the content after an animated jump to the end.
constexpr double kEndSlideSpeedUpRatio = 0.3;
constexpr double kEndSlideSpeedUpFactor = 0.003;
constexpr double kEndSlideSlowDownRatio = 0.7;
constexpr int kEndSlideMaxTimeMs = 650;

// The first paint of any scrollable box decides which of its children keep their images.
bool firstPaintPending = true;

}  // namespace

// --- steps -----------------------------------------------------------------------------------------

void ScrollableBox::LineUp(int distance, bool animated) {
    LineStep(true, false, distance, animated);
}

void ScrollableBox::LineDown(int distance, bool animated) {
    LineStep(true, true, distance, animated);
}

void ScrollableBox::LineLeft(int distance, bool animated) {
    LineStep(false, false, distance, animated);
}

void ScrollableBox::LineRight(int distance, bool animated) {
    LineStep(false, true, distance, animated);
}

void ScrollableBox::LineStep(bool vertical, bool forward, int distance, bool animated) {
    if (distance == -1) distance = vertical ? verticalLineSize_ : horizontalLineSize_;
    const SIZE pos = GetScrollPos();
    const int current = vertical ? pos.cy : pos.cx;
    const int range = vertical ? GetScrollRange().cy : GetScrollRange().cx;
    if (forward ? current >= range : current < 1) {
        scrollEventSuppressed_ = false;  // a step that does nothing ends no animation
        return;
    }
    const int target = forward ? current + distance : current - distance;
    if (!animated) {
        const int value = std::max(target, 0);
        SetScrollPos(vertical ? SIZE{pos.cx, value} : SIZE{value, pos.cy});
        scrollEventSuppressed_ = false;
        return;
    }
    AnimationPlayer& player = scrollAnimation_;
    int end = target;
    const bool runningForward = player.GetEndValue() > player.GetStartValue();
    if (player.IsPlaying() && scrollAnimationVertical_ == vertical && runningForward == forward) {
        end = player.GetEndValue() + (forward ? distance : -distance);
    }
    scrollAnimationVertical_ = vertical;
    player.SetStartValue(current);
    player.SetEndValue(end);
    player.SetSpeedDownFactor(kLineStepSlowDownFactor);
    player.SetSpeedUpRatio(0);
    player.SetSpeedDownRatio(kLineStepSlowDownRatio);
    player.SetTotalTime(-1);
    if (vertical) {
        player.SetValueCallback(MakeWeakCallback([this](int y) { SetScrollPosY(y); }));
        player.SetCompleteCallback(MakeWeakCallback([this] { EndScrollAnimationY(); }));
    } else {
        player.SetValueCallback(MakeWeakCallback([this](int x) { SetScrollPosX(x); }));
        player.SetCompleteCallback(MakeWeakCallback([this] { EndScrollAnimationX(); }));
    }
    player.Play();
}

void ScrollableBox::PageUp() {
    PageStep(false);
}

void ScrollableBox::PageDown() {
    PageStep(true);
}

void ScrollableBox::PageStep(bool down) {
    const RECT padding = layout_->GetPadding();
    int view = rect_.bottom - rect_.top - padding.top - padding.bottom;
    if (horizontalBar_ && horizontalBar_->GetScrollRange() > 0) view -= horizontalBar_->GetFixedHeight();
    const SIZE pos = GetScrollPos();
    SetScrollPos(SIZE{pos.cx, down ? pos.cy + view : pos.cy - view});
}

void ScrollableBox::PageLeft() {
    const RECT padding = layout_->GetPadding();
    const SIZE pos = GetScrollPos();
    SetScrollPos(SIZE{pos.cx - (rect_.right - rect_.left - padding.left - padding.right), pos.cy});
}

void ScrollableBox::PageRight() {
    const RECT padding = layout_->GetPadding();
    const SIZE pos = GetScrollPos();
    SetScrollPos(SIZE{pos.cx + (rect_.right - rect_.left - padding.left - padding.right), pos.cy});
}

void ScrollableBox::HomeUp() {
    SetScrollPos(SIZE{GetScrollPos().cx, 0});
}

void ScrollableBox::HomeLeft() {
    SetScrollPos(SIZE{0, GetScrollPos().cy});
}

void ScrollableBox::EndRight() {
    SetScrollPos(SIZE{GetScrollRange().cx, GetScrollPos().cy});
}

void ScrollableBox::EndDown(bool arrange, bool animated) {
    if (arrange) ArrangeContent();
    const SIZE pos = GetScrollPos();
    const int range = GetScrollRange().cy;
    const int distance = range - pos.cy - renderOffset_.y + renderOffsetAnimation_.GetEndValue();
    if (animated && verticalBar_ && verticalBar_->GetScrollRange() > 0 && distance > 0) {
        AnimationPlayer& slide = renderOffsetAnimation_;
        slide.SetStartValue(-distance);
        slide.SetEndValue(0);
        slide.SetSpeedUpRatio(kEndSlideSpeedUpRatio);
        slide.SetSpeedUpFactor(kEndSlideSpeedUpFactor);
        slide.SetSpeedDownRatio(kEndSlideSlowDownRatio);
        slide.SetTotalTime(-1);
        slide.SetMaxTotalTime(kEndSlideMaxTimeMs);
        slide.SetValueCallback(MakeWeakCallback([this](int y) { SetRenderOffsetY(y); }));
        slide.Play();
    }
    SetScrollPos(SIZE{pos.cx, range});
}

void ScrollableBox::TouchUp(int distance) {
    const SIZE pos = GetScrollPos();
    if (pos.cy < 1) return;
    SetScrollPos(SIZE{pos.cx, pos.cy - distance});
}

void ScrollableBox::TouchDown(int distance) {
    const SIZE pos = GetScrollPos();
    if (pos.cy >= GetScrollRange().cy) return;
    SetScrollPos(SIZE{pos.cx, pos.cy + distance});
}

// --- input -----------------------------------------------------------------------------------------

void ScrollableBox::HandleEvent(EventArgs* args) {
    if (!IsMouseEnabled() && IsMouseEvent(args->type)) {
        if (parent_) {
            parent_->DispatchEvent(args);
        } else {
            Box::HandleEvent(args);
        }
        return;
    }
    if (IsUsable(verticalBar_.get())) {
        if (HandleScrollInput(true, args) || HandleTouchInput(args)) return;
    } else if (IsUsable(horizontalBar_.get())) {
        if (HandleScrollInput(false, args)) return;
    }
    Box::HandleEvent(args);
}

bool ScrollableBox::HandleScrollInput(bool vertical, EventArgs* args) {
    if (args->type == kEventMouseScrollWheel && mouseWheelEnabled_) {
        const int delta = static_cast<int>(static_cast<LONG_PTR>(args->wParam));
        LineStep(vertical, delta <= 0, std::abs(delta), true);
        return true;
    }
    if (args->type != kEventKeyDown || !IsKeyboardEnabled()) return false;
    switch (args->key) {
    case VK_PRIOR:
        vertical ? PageUp() : PageLeft();
        return true;
    case VK_NEXT:
        vertical ? PageDown() : PageRight();
        return true;
    case VK_END:
        vertical ? EndDown(true, true) : EndRight();
        return true;
    case VK_HOME:
        vertical ? HomeUp() : HomeLeft();
        return true;
    case VK_UP:
    case VK_DOWN:
        LineStep(vertical, args->key == VK_DOWN, -1, true);
        return true;
    default:
        return false;
    }
}

bool ScrollableBox::HandleTouchInput(EventArgs* args) {
    switch (args->type) {
    case kEventTouchDown:
    case kEventPointerDown:
        if (!IsEnabled()) return false;
        SetMouseFocused(true);
        lastPointerPoint_ = args->mousePoint;
        return true;
    case kEventTouchMove:
    case kEventPointerUpdate: {
        if (!IsMouseFocused()) return false;
        const int dy = args->mousePoint.y - lastPointerPoint_.y;
        if (dy == 0) return true;
        lastPointerPoint_ = args->mousePoint;
        if (dy > 0) {
            TouchUp(dy);
        } else {
            TouchDown(-dy);
        }
        return true;
    }
    case kEventTouchUp:
    case kEventPointerUp:
        if (!IsMouseFocused()) return false;
        SetMouseFocused(false);
        lastPointerPoint_ = args->mousePoint;
        return true;
    default:
        return false;
    }
}

bool ScrollableBox::MouseEnter(EventArgs* args) {
    if (!Box::MouseEnter(args)) return false;
    for (ScrollBar* bar : {verticalBar_.get(), horizontalBar_.get()}) {
        if (IsUsable(bar) && bar->IsAutoHideScroll()) bar->SetFadeVisible(true);
    }
    return true;
}

bool ScrollableBox::MouseLeave(EventArgs* args) {
    if (!Box::MouseLeave(args)) return false;
    for (ScrollBar* bar : {verticalBar_.get(), horizontalBar_.get()}) {
        if (IsUsable(bar) && bar->IsAutoHideScroll() && bar->GetThumbState() == kControlStateNormal) {
            bar->SetFadeVisible(false);
        }
    }
    return true;
}

// --- hit tests and painting --------------------------------------------------------------------------

Control* ScrollableBox::FindControl(FindControlCallback callback, void* data, UINT flags, SIZE offset) {
    if ((flags & kFindVisible) && !IsVisible()) return nullptr;
    if ((flags & kFindEnabled) && !IsEnabled()) return nullptr;
    const bool hitTest = (flags & kFindHitTest) != 0;
    if (hitTest) {
        const POINT point = *static_cast<const POINT*>(data);
        if (!::PtInRect(&rect_, point)) return nullptr;
    }
    for (ScrollBar* bar : {verticalBar_.get(), horizontalBar_.get()}) {
        if (!bar) continue;
        if (Control* found = bar->FindControl(callback, data, flags)) return found;
    }
    if (hitTest && !mouseChildEnabled_) return Control::FindControl(callback, data, flags);
    const SIZE scroll = GetScrollPos();
    return Box::FindControl(callback, data, flags, SIZE{offset.cx + scroll.cx, offset.cy + scroll.cy});
}

void ScrollableBox::PaintChild(IRenderContext* context, const RECT& dirty) {
    RECT overlap;
    if (!::IntersectRect(&overlap, &dirty, &rect_)) return;
    if (firstPaintPending) {
        firstPaintPending = false;
        UpdateChildImages(true);
    }
    const SIZE scroll = GetScrollPos();
    const RECT content = GetPosWithoutPadding();
    for (Control* child : items_) {
        if (!child->IsVisible()) continue;
        if (child->IsFloat()) {
            child->AlphaPaint(context, dirty);
            continue;
        }
        AutoClip clip(context, content);
        RECT area;
        if (!::IntersectRect(&area, &dirty, &content)) continue;
        ::OffsetRect(&area, scroll.cx + renderOffset_.x, scroll.cy + renderOffset_.y);
        const POINT old = context->OffsetWindowOrg(POINT{scroll.cx, scroll.cy});
        child->AlphaPaint(context, area);
        context->SetWindowOrg(old);
    }
    for (ScrollBar* bar : {horizontalBar_.get(), verticalBar_.get()}) {
        if (bar && bar->IsVisible()) bar->AlphaPaint(context, dirty);
    }
}

}  // namespace ui
