#include "ui/scrollable_box.h"

#include <algorithm>
#include <cstdlib>

#include "ui/attribute_values.h"
#include "ui/dpi_manager.h"
#include "ui/scroll_bar.h"
#include "ui/window.h"

namespace ui {
namespace {

RECT Deflated(RECT rect, RECT padding) {
    return RECT{rect.left + padding.left, rect.top + padding.top, rect.right - padding.right,
                rect.bottom - padding.bottom};
}

bool HasRange(const ScrollBar* bar) {
    return bar && bar->GetScrollRange() > 0;
}

// Images of children farther than this above or below the view are released.
constexpr int kImageKeepDistance = 730;

}  // namespace

ScrollableBox::ScrollableBox(Layout* layout) : Box(layout) {}

ScrollableBox::~ScrollableBox() = default;

void ScrollableBox::SetWindowAndParent(Window* window, Box* parent, bool init) {
    for (ScrollBar* bar : {verticalBar_.get(), horizontalBar_.get()}) {
        if (bar) bar->SetWindowAndParent(window, this, init);
    }
    Box::SetWindowAndParent(window, parent, init);
}

bool ScrollableBox::IsUsable(const ScrollBar* bar) {
    return HasRange(bar) && bar->IsEnabled();
}

bool ScrollableBox::HasScrollBarRange(bool verticalOnly) const {
    return HasRange(verticalBar_.get()) || (!verticalOnly && HasRange(horizontalBar_.get()));
}

// --- bars ----------------------------------------------------------------------------------------

std::unique_ptr<ScrollBar> ScrollableBox::MakeScrollBar(bool horizontal) {
    auto bar = std::make_unique<ScrollBar>();
    bar->SetVisible(false);
    bar->SetScrollRange(0);
    if (horizontal) bar->SetHorizontal(true);
    bar->SetOwner(this);
    bar->SetWindowAndParent(window_, nullptr, false);
    bar->ApplyClass(horizontal ? L"hscrollbar" : L"vscrollbar");
    return bar;
}

void ScrollableBox::EnableScrollBar(bool vertical, bool horizontal) {
    if (vertical && !verticalBar_) {
        verticalBar_ = MakeScrollBar(false);
    } else if (!vertical) {
        verticalBar_.reset();
    }
    if (horizontal && !horizontalBar_) {
        horizontalBar_ = MakeScrollBar(true);
    } else if (!horizontal) {
        horizontalBar_.reset();
    }
    Arrange();
}

void ScrollableBox::SetAttribute(const std::wstring& name, const std::wstring& value) {
    const DpiManager* dpi = DpiManager::GetInstance();
    if (name == L"vscrollbar") {
        EnableScrollBar(ParseBool(value), horizontalBar_ != nullptr);
    } else if (name == L"vscrollbarstyle") {
        EnableScrollBar(true, horizontalBar_ != nullptr);
        verticalBar_->ApplyAttributeList(value);
    } else if (name == L"hscrollbar") {
        EnableScrollBar(verticalBar_ != nullptr, ParseBool(value));
    } else if (name == L"hscrollbarstyle") {
        EnableScrollBar(verticalBar_ != nullptr, true);
        horizontalBar_->ApplyAttributeList(value);
    } else if (name == L"scrollbarpadding") {
        RECT padding = ParseRect(value);
        dpi->ScaleRect(padding);
        scrollBarPadding_ = padding;
    } else if (name == L"vscrollunit") {
        verticalLineSize_ = dpi->ScaleInt(ParseInt(value));
    } else if (name == L"hscrollunit") {
        horizontalLineSize_ = dpi->ScaleInt(ParseInt(value));
    } else if (name == L"scrollbarfloat") {
        floatScrollBars_ = ParseBool(value);
    } else if (name == L"defaultdisplayscrollbar") {
        defaultDisplayScrollBar_ = ParseBool(value);
    } else if (name == L"holdend") {
        holdEnd_ = ParseBool(value);
    } else {
        Box::SetAttribute(name, value);
    }
}

void ScrollableBox::SetMouseEnabled(bool enabled) {
    Box::SetMouseEnabled(enabled);
    for (ScrollBar* bar : {verticalBar_.get(), horizontalBar_.get()}) {
        if (bar) bar->SetMouseEnabled(enabled);
    }
}

void ScrollableBox::ClearImageCache() {
    Box::ClearImageCache();
    for (ScrollBar* bar : {verticalBar_.get(), horizontalBar_.get()}) {
        if (bar) bar->ClearImageCache();
    }
}

// --- layout --------------------------------------------------------------------------------------

void ScrollableBox::SetPos(RECT rect) {
    const bool atEnd =
        holdEnd_ && HasRange(verticalBar_.get()) && verticalBar_->GetScrollPos() == verticalBar_->GetScrollRange();
    Control::SetPos(rect);
    ArrangeContent();
    if (atEnd && HasRange(verticalBar_.get())) EndDown(false, false);
}

void ScrollableBox::ArrangeContent() {
    const RECT rect = rect_;
    const SIZE required = CalcRequiredSize(Deflated(rect, layout_->GetPadding()));
    ProcessVScrollBar(rect, required.cy);
    ProcessHScrollBar(rect, required.cx);
}

SIZE ScrollableBox::CalcRequiredSize(RECT content) {
    if (items_.empty()) return SIZE{0, 0};
    if (!floatScrollBars_) {
        if (HasRange(verticalBar_.get())) content.right -= verticalBar_->GetFixedWidth();
        if (HasRange(horizontalBar_.get())) content.bottom -= horizontalBar_->GetFixedHeight();
    }
    const SIZE required = layout_->ArrangeChildren(items_, content);
    RebuildItemOffsets();
    return required;
}

void ScrollableBox::RebuildItemOffsets() {
    const auto rebuild = [this](bool vertical) {
        itemOffsets_.assign(1, 0);
        int offset = 0;
        for (std::size_t i = 0; i + 1 < items_.size(); ++i) {
            const RECT child = items_[i]->GetPos();
            offset += (vertical ? child.bottom - child.top : child.right - child.left) + layout_->GetChildMargin();
            itemOffsets_.push_back(offset);
        }
    };
    if (HasRange(verticalBar_.get())) rebuild(true);
    if (HasRange(horizontalBar_.get())) rebuild(false);
}

void ScrollableBox::ProcessVScrollBar(RECT rect, int required) {
    ProcessScrollBar(verticalBar_.get(), true, rect, required);
}

void ScrollableBox::ProcessHScrollBar(RECT rect, int required) {
    ProcessScrollBar(horizontalBar_.get(), false, rect, required);
}

void ScrollableBox::ProcessScrollBar(ScrollBar* bar, bool vertical, RECT rect, int required) {
    if (!bar) return;
    const RECT padding = layout_->GetPadding();
    const int view = vertical ? rect.bottom - rect.top - padding.top - padding.bottom
                              : rect.right - rect.left - padding.left - padding.right;
    if (view < required && bar->GetScrollRange() == 0) {
        bar->SetScrollRange(required - view);
        bar->SetScrollPos(0);
        bar->Relayout();
        rearranging_ = true;
        SetPos(rect_);
        rearranging_ = false;
        return;
    }
    if (bar->GetScrollRange() == 0) return;
    if (required - view < 1 && !rearranging_) {
        bar->SetScrollPos(0);
        bar->SetScrollRange(0);
        bar->SetVisible(false);
        bar->Relayout();
        SetPos(rect_);
        return;
    }
    const RECT& inset = scrollBarPadding_;
    if (vertical) {
        bar->SetPos(RECT{rect.right - inset.right - bar->GetFixedWidth(), rect.top + inset.top, rect.right - inset.right,
                         rect.bottom - inset.bottom});
    } else {
        bar->SetPos(RECT{rect.left + inset.left, rect.bottom - inset.bottom - bar->GetFixedHeight(),
                         rect.right - inset.right, rect.bottom - inset.bottom});
    }
    if (bar->GetScrollRange() == required - view) return;
    const std::int64_t oldPosition = bar->GetScrollPos();
    bar->SetScrollRange(std::abs(required - view));
    if (bar->GetScrollRange() == 0) bar->SetScrollPos(0);
    if (bar->GetScrollPos() < oldPosition) SetPos(rect_);
}

// --- positions -----------------------------------------------------------------------------------

SIZE ScrollableBox::GetScrollPos() const {
    SIZE pos{0, 0};
    if (HasRange(verticalBar_.get())) pos.cy = static_cast<int>(verticalBar_->GetScrollPos());
    if (HasRange(horizontalBar_.get())) pos.cx = static_cast<int>(horizontalBar_->GetScrollPos());
    return pos;
}

SIZE ScrollableBox::GetScrollRange() const {
    SIZE range{0, 0};
    if (verticalBar_) range.cy = static_cast<int>(verticalBar_->GetScrollRange());
    if (HasRange(horizontalBar_.get())) range.cx = static_cast<int>(horizontalBar_->GetScrollRange());
    return range;
}

void ScrollableBox::SetScrollPos(SIZE pos) {
    const int verticalRange = GetScrollRange().cy;
    bool stopped = false;
    if (pos.cy < 0 || pos.cy > verticalRange) {
        pos.cy = std::clamp<LONG>(pos.cy, 0, verticalRange);
        stopped = scrollAnimation_.IsPlaying();
        scrollAnimation_.Reset();
    }
    const auto move = [](ScrollBar* bar, int value) {
        if (!HasRange(bar) || bar->GetScrollPos() == value) return 0;
        const std::int64_t old = bar->GetScrollPos();
        bar->SetScrollPos(value);
        return static_cast<int>(bar->GetScrollPos() - old);
    };
    const int dy = move(verticalBar_.get(), pos.cy);
    const int dx = move(horizontalBar_.get(), pos.cx);
    if (dx != 0 || dy != 0) {
        UpdateChildImages(dy > 0);
        Invalidate();
        if (window_ && !scrollEventSuppressed_) {
            const std::weak_ptr<kbase::WeakFlag> alive = ObtainWeakFlag();
            SendEvent(this, kEventScrollChange);
            if (alive.expired()) return;
        }
    }
    // The stopped step's completion will not come to end the suppression.
    if (stopped) scrollEventSuppressed_ = false;
}

void ScrollableBox::UpdateChildImages(bool forward) {
    const SIZE scroll = GetScrollPos();
    RECT area = rect_;
    ::OffsetRect(&area, scroll.cx + renderOffset_.x, scroll.cy + renderOffset_.y);
    area.top -= kImageKeepDistance;
    area.bottom += kImageKeepDistance;
    for (std::size_t n = 0; n < items_.size(); ++n) {
        Control* child = items_[forward ? n : items_.size() - 1 - n];
        if (!child->IsVisible() || child->IsFloat()) continue;
        const RECT childRect = child->GetPos();
        RECT overlap;
        if (::IntersectRect(&overlap, &area, &childRect)) {
            child->ReloadImageFromCache();
        } else {
            child->ReleaseBkImage();
        }
    }
}

void ScrollableBox::SetScrollPosY(int y) {
    SetScrollPos(SIZE{GetScrollPos().cx, y});
}

void ScrollableBox::SetScrollPosX(int x) {
    SetScrollPos(SIZE{x, GetScrollPos().cy});
}

void ScrollableBox::EndScrollAnimationY() {
    scrollEventSuppressed_ = false;
}

void ScrollableBox::EndScrollAnimationX() {
    scrollEventSuppressed_ = false;
}

void ScrollableBox::StopScrollAnimation() {
    if (scrollAnimation_.IsPlaying()) scrollEventSuppressed_ = false;
    scrollAnimation_.Reset();
}

}  // namespace ui
