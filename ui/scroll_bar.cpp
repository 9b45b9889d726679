#include "ui/scroll_bar.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "ui/attribute_values.h"
#include "ui/dpi_manager.h"
#include "ui/scrollable_box.h"
#include "ui/timer_manager.h"
#include "ui/window.h"

namespace ui {
namespace {

constexpr int kDefaultThickness = 16;
constexpr int kRepeatPeriodMs = 50;
// Ticks of the repeat timer before a held button or rail starts repeating.
constexpr int kRepeatDelayTicks = 6;

const wchar_t* const kStateSuffixes[4] = {L"normalimage", L"hotimage", L"pushedimage", L"disabledimage"};

// The states a part's image is tried in, most specific first.
std::vector<int> FallbackStates(int state) {
    switch (state) {
    case kControlStateDisabled:
        return {kControlStateDisabled, kControlStateNormal};
    case kControlStatePushed:
        return {kControlStatePushed, kControlStateHot, kControlStateNormal};
    case kControlStateHot:
        return {kControlStateHot, kControlStateNormal};
    default:
        return {kControlStateNormal};
    }
}

bool Contains(const RECT& rect, POINT point) {
    return ::PtInRect(&rect, point) != FALSE;
}

}  // namespace

ScrollBar::ScrollBar() {
    fixedWidth_ = kDefaultThickness;
    fixedHeight_ = 0;
    float_ = true;
    SetNeedButtonUpWhenKillFocus(true);
    for (StateImageMap* images : {&bkImages_, &button1Images_, &button2Images_, &thumbImages_, &railImages_}) {
        images->SetOwner(this);
    }
}

ScrollBar::~ScrollBar() = default;

// --- geometry --------------------------------------------------------------------------------

ScrollBarShape ScrollBar::Shape() const {
    ScrollBarShape shape;
    shape.rect = rect_;
    shape.thickness = Thickness();
    shape.horizontal = horizontal_;
    shape.showButton1 = showButton1_;
    shape.showButton2 = showButton2_;
    shape.range = range_;
    shape.position = position_;
    shape.thumbMinLength = thumbMinLength_;
    return shape;
}

void ScrollBar::SetPos(RECT rect) {
    Control::SetPos(rect);
    parts_ = LayOutScrollBar(Shape());
}

void ScrollBar::Relayout() {
    SetPos(rect_);
    Invalidate();
}

void ScrollBar::SetHorizontal(bool horizontal) {
    if (horizontal == horizontal_) return;
    horizontal_ = horizontal;
    if (!horizontal && fixedWidth_ == 0) {
        fixedWidth_ = kDefaultThickness;
        fixedHeight_ = 0;
    } else if (horizontal && fixedHeight_ == 0) {
        fixedHeight_ = kDefaultThickness;
        fixedWidth_ = 0;
    }
    if (owner_) {
        owner_->Arrange();
    } else {
        ArrangeAncestor();
    }
}

void ScrollBar::SetScrollRange(std::int64_t range) {
    if (range == range_) return;
    range_ = std::max<std::int64_t>(0, range);
    position_ = std::min(position_, range_);
    if (range_ == 0) {
        SetVisible(false);
    } else if (!autoHide_ && !IsVisible()) {
        SetFadeVisible(true);
    }
    Relayout();
}

void ScrollBar::SetScrollPos(std::int64_t position) {
    position = std::clamp<std::int64_t>(position, 0, range_);
    if (position == position_) return;
    position_ = position;
    Relayout();
}

int ScrollBar::SideOfThumb(POINT point) const {
    if (IsEmptyThumb(parts_.thumb)) return 0;
    const int along = AlongAxis(point);
    if (along < (horizontal_ ? parts_.thumb.left : parts_.thumb.top)) return -1;
    if (along >= (horizontal_ ? parts_.thumb.right : parts_.thumb.bottom)) return 1;
    return 0;
}

// --- state -------------------------------------------------------------------------------------

void ScrollBar::SetVisible(bool visible) {
    if (visible == visible_) return;
    const bool wasVisible = IsVisible();
    visible_ = visible;
    focused_ = false;
    if (!visible && window_ && window_->GetFocus() == this) window_->SetFocusControl(nullptr);
    if (IsVisible() != wasVisible) ArrangeSelf();
}

void ScrollBar::SetEnabled(bool enabled) {
    Control::SetEnabled(enabled);
    const int partState = enabled ? kControlStateNormal : kControlStateDisabled;
    button1State_ = button2State_ = thumbState_ = partState;
}

void ScrollBar::SetFocus() {
    if (owner_) {
        owner_->SetFocus();
    } else {
        Control::SetFocus();
    }
}

bool ScrollBar::MouseEnter(EventArgs* args) {
    if (!Control::MouseEnter(args)) return false;
    button1State_ = button2State_ = thumbState_ = kControlStateHot;
    return true;
}

bool ScrollBar::MouseLeave(EventArgs* args) {
    if (!Control::MouseLeave(args)) return false;
    button1State_ = button2State_ = thumbState_ = kControlStateNormal;
    return true;
}

// --- attributes --------------------------------------------------------------------------------

void ScrollBar::SetAttribute(const std::wstring& name, const std::wstring& value) {
    const std::pair<const wchar_t*, StateImageMap*> partImages[] = {
        {L"button1", &button1Images_}, {L"button2", &button2Images_}, {L"thumb", &thumbImages_},
        {L"rail", &railImages_},       {L"bk", &bkImages_},
    };
    for (const auto& [prefix, images] : partImages) {
        for (int state = 0; state < 4; ++state) {
            if (name == std::wstring(prefix) + kStateSuffixes[state]) {
                images->SetImage(state, value);
                Invalidate();
                return;
            }
        }
    }
    const DpiManager* dpi = DpiManager::GetInstance();
    if (name == L"hor") {
        SetHorizontal(ParseBool(value));
    } else if (name == L"linesize") {
        lineSize_ = dpi->ScaleInt(ParseInt(value));
    } else if (name == L"thumbminlength") {
        thumbMinLength_ = dpi->ScaleInt(ParseInt(value));
    } else if (name == L"range") {
        SetScrollRange(ParseInt(value));
    } else if (name == L"value") {
        SetScrollPos(ParseInt(value));
    } else if (name == L"showbutton1") {
        showButton1_ = ParseBool(value);
        Relayout();
    } else if (name == L"showbutton2") {
        showButton2_ = ParseBool(value);
        Relayout();
    } else if (name == L"autohidescroll") {
        autoHide_ = ParseBool(value);
    } else {
        Control::SetAttribute(name, value);
    }
}

// --- painting ----------------------------------------------------------------------------------

std::wstring ScrollBar::DestModifier(const RECT& part) const {
    wchar_t text[96];
    std::swprintf(text, std::size(text), L"destscale='false' dest='%d,%d,%d,%d'", part.left - rect_.left,
                  part.top - rect_.top, part.right - rect_.left, part.bottom - rect_.top);
    return text;
}

bool ScrollBar::DrawPart(IRenderContext* context, StateImageMap& images, int state, const RECT& part) {
    const std::wstring modifier = DestModifier(part);
    for (int tried : FallbackStates(state)) {
        Image* image = images.GetImage(tried);
        if (image && DrawImage(context, *image, modifier)) return true;
    }
    return false;
}

void ScrollBar::Paint(IRenderContext* context, const RECT& dirty) {
    if (!::IntersectRect(&paintRect_, &dirty, &rect_)) return;
    bkImages_.Paint(context, state_);
    const auto buttonLook = [this](int state) {
        return state == kControlStateNormal && thumbState_ == kControlStatePushed ? kControlStateHot : state;
    };
    if (showButton1_) DrawPart(context, button1Images_, buttonLook(button1State_), parts_.button1);
    if (showButton2_) DrawPart(context, button2Images_, buttonLook(button2State_), parts_.button2);
    if (IsEmptyThumb(parts_.thumb)) return;
    thumbImages_.Paint(context, thumbState_, DestModifier(parts_.thumb));

    const int t = Thickness();
    RECT rail = parts_.thumb;
    if (horizontal_) {
        const int centre = (parts_.thumb.left + parts_.thumb.right) / 2;
        rail.left = centre - t / 2;
        rail.right = rail.left + t;
    } else {
        const int centre = (parts_.thumb.top + parts_.thumb.bottom) / 2;
        rail.top = centre - t / 2;
        rail.bottom = rail.top + t;
    }
    DrawPart(context, railImages_, thumbState_, rail);
}

void ScrollBar::ClearImageCache() {
    Control::ClearImageCache();
    for (StateImageMap* images : {&bkImages_, &button1Images_, &button2Images_, &thumbImages_, &railImages_}) {
        images->ReleaseCache();
    }
}

// --- input -------------------------------------------------------------------------------------

void ScrollBar::HandleEvent(EventArgs* args) {
    const int type = args->type;
    if (!IsMouseEnabled() && IsMouseEvent(type)) {
        if (owner_) owner_->DispatchEvent(args);
        return;
    }
    switch (type) {
    case kEventInternalMenu:
    case kEventInternalSetFocus:
    case kEventInternalKillFocus:
        return;
    case kEventMouseButtonDown:
    case kEventPointerDown:
    case kEventInternalDoubleClick:
        if (IsEnabled()) OnButtonDown(args);
        return;
    case kEventMouseButtonUp:
    case kEventPointerUp:
        OnButtonUpEvent(args);
        return;
    case kEventMouseEnter:
        MouseEnter(args);
        return;
    case kEventMouseLeave:
        MouseLeave(args);
        return;
    case kEventMouseMove:
    case kEventPointerUpdate:
        if (IsMouseFocused()) OnDrag(args);
        return;
    case kEventSetCursor:
        if (cursorType_ == kCursorHand || cursorType_ == kCursorArrow) {
            ::SetCursor(::LoadCursorW(nullptr, cursorType_ == kCursorHand ? IDC_HAND : IDC_ARROW));
            return;
        }
        if (owner_) owner_->DispatchEvent(args);
        return;
    default:
        if (owner_) owner_->DispatchEvent(args);
        return;
    }
}

void ScrollBar::OnButtonDown(EventArgs* args) {
    dragOffset_ = 0;
    repeatCount_ = 0;
    TimerManager::GetInstance()->AddCancelableTimer(repeatFlag_.ObtainWeakFlag(),
                                                    MakeWeakCallback([this] { RepeatStep(); }), kRepeatPeriodMs, -1);
    const POINT point = args->mousePoint;
    if (Contains(parts_.button1, point)) {
        button1State_ = kControlStatePushed;
        StepLine(false);
    } else if (Contains(parts_.button2, point)) {
        button2State_ = kControlStatePushed;
        StepLine(true);
    } else if (Contains(parts_.thumb, point)) {
        thumbState_ = kControlStatePushed;
        SetMouseFocused(true);
        dragStartPoint_ = point;
        dragStartPosition_ = position_;
    } else if (const int side = SideOfThumb(point); side != 0) {
        StepPage(side > 0);
    }
    ButtonDown(args);
}

void ScrollBar::OnButtonUpEvent(EventArgs* args) {
    dragOffset_ = 0;
    repeatCount_ = 0;
    repeatFlag_.Cancel();
    if (thumbState_ == kControlStatePushed) {
        thumbState_ = Contains(rect_, args->mousePoint) ? kControlStateHot : kControlStateNormal;
    } else if (button1State_ == kControlStatePushed) {
        button1State_ = kControlStateNormal;
    } else if (button2State_ == kControlStatePushed) {
        button2State_ = kControlStateNormal;
    }
    Invalidate();
    ButtonUp(args);
}

bool ScrollBar::ButtonUp(EventArgs* args) {
    bool inside = false;
    if (IsMouseFocused()) {
        SetMouseFocused(false);
        Invalidate();
        inside = Contains(rect_, args->mousePoint);
        state_ = inside ? kControlStateHot : kControlStateNormal;
        hotAlpha_ = inside ? 255 : 0;
        if (inside) Activate();
    }
    // A free bar has no owner's area to leave.
    if (autoHide_ && owner_) {
        const RECT ownerRect = owner_->GetPos();
        if (!Contains(ownerRect, args->mousePoint)) SetFadeVisible(false);
    }
    return inside;
}

void ScrollBar::OnDrag(EventArgs* args) {
    const int track = ThumbTrackLength(Shape(), parts_.thumb);
    dragOffset_ = DragOffset(AlongAxis(args->mousePoint) - AlongAxis(dragStartPoint_), range_, track);
}

void ScrollBar::RepeatStep() {
    ++repeatCount_;
    if (thumbState_ == kControlStatePushed) {
        const std::int64_t target = dragStartPosition_ + dragOffset_;
        if (!owner_) {
            SetScrollPos(target);
            return;
        }
        const SIZE current = owner_->GetScrollPos();
        const int value = static_cast<int>(std::clamp<std::int64_t>(target, 0, range_));
        owner_->SetScrollPos(horizontal_ ? SIZE{value, current.cy} : SIZE{current.cx, value});
        return;
    }
    if (repeatCount_ < kRepeatDelayTicks) return;
    if (button1State_ == kControlStatePushed) {
        StepLine(false);
    } else if (button2State_ == kControlStatePushed) {
        StepLine(true);
    } else if (window_ && window_->GetHWND()) {
        POINT cursor{0, 0};
        ::GetCursorPos(&cursor);
        ::ScreenToClient(window_->GetHWND(), &cursor);
        if (const int side = SideOfThumb(cursor); side != 0) StepPage(side > 0);
    }
}

void ScrollBar::StepLine(bool forward) {
    if (!owner_) {
        SetScrollPos(position_ + (forward ? lineSize_ : -lineSize_));
    } else if (horizontal_) {
        forward ? owner_->LineRight(-1, true) : owner_->LineLeft(-1, true);
    } else {
        forward ? owner_->LineDown(-1, true) : owner_->LineUp(-1, true);
    }
}

void ScrollBar::StepPage(bool forward) {
    if (!owner_) {
        SetScrollPos(position_ + (forward ? Length() : -Length()));
    } else if (horizontal_) {
        forward ? owner_->PageRight() : owner_->PageLeft();
    } else {
        forward ? owner_->PageDown() : owner_->PageUp();
    }
}

}  // namespace ui
