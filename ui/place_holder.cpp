#include "ui/place_holder.h"

#include "ui/box.h"
#include "ui/dpi_manager.h"
#include "ui/render/render_context.h"
#include "ui/window.h"

namespace ui {

PlaceHolder::PlaceHolder() = default;

PlaceHolder::~PlaceHolder() = default;

void PlaceHolder::SetWindowAndParent(Window* window, Box* parent, bool init) {
    window_ = window;
    parent_ = parent;
    if (init && parent_) Init();
}

SIZE PlaceHolder::EstimateSize(SIZE /*available*/) {
    return SIZE{fixedWidth_, fixedHeight_};
}

RECT PlaceHolder::GetPos(bool /*containShadow*/) const {
    return rect_;
}

void PlaceHolder::SetPos(RECT rect) {
    rect_ = rect;
}

void PlaceHolder::Arrange() {
    if (fixedWidth_ == kSizeAuto || fixedHeight_ == kSizeAuto) {
        ArrangeAncestor();
    } else {
        ArrangeSelf();
    }
}

void PlaceHolder::ArrangeAncestor() {
    reEstimateSize_ = true;
    PlaceHolder* target = nullptr;
    if (window_ && window_->GetRoot()) {
        PlaceHolder* ancestor = parent_;
        while (ancestor && (ancestor->fixedWidth_ == kSizeAuto || ancestor->fixedHeight_ == kSizeAuto)) {
            ancestor->reEstimateSize_ = true;
            ancestor = ancestor->parent_;
        }
        target = ancestor ? ancestor : static_cast<PlaceHolder*>(window_->GetRoot());
    } else {
        target = parent_ ? static_cast<PlaceHolder*>(parent_) : this;
    }
    target->ArrangeSelf();
}

void PlaceHolder::ArrangeSelf() {
    if (!IsVisible()) return;
    reEstimateSize_ = true;
    needArrange_ = true;
    Invalidate();
    if (window_) window_->SetArrange(true);
}

void PlaceHolder::Invalidate() {
    if (!IsVisible()) return;
    cacheDirty_ = true;
    RECT rect = GetPos(true);
    const SIZE offset = GetScrollOffset();
    ::OffsetRect(&rect, -offset.cx, -offset.cy);
    if (window_) window_->InvalidateRect(rect);
}

void PlaceHolder::SetFixedWidth(int width, bool arrange, bool scaleForDpi) {
    if (width < kSizeAuto) return;
    if (scaleForDpi && width > 0) width = DpiManager::GetInstance()->ScaleInt(width);
    if (width == fixedWidth_) return;
    fixedWidth_ = width;
    if (arrange) {
        ArrangeAncestor();
    } else {
        reEstimateSize_ = true;
    }
}

void PlaceHolder::SetFixedHeight(int height, bool scaleForDpi) {
    if (height < kSizeAuto) return;
    if (scaleForDpi && height > 0) height = DpiManager::GetInstance()->ScaleInt(height);
    if (height == fixedHeight_) return;
    fixedHeight_ = height;
    ArrangeAncestor();
}

SIZE PlaceHolder::GetScrollOffset() const {
    // A float child of a scrolled box stays put while the content scrolls.
    if (float_ && parent_ && parent_->HasScrollBarRange(true)) return SIZE{0, 0};
    for (const Box* ancestor = parent_; ancestor; ancestor = ancestor->GetParent()) {
        if (ancestor->HasScrollBarRange(false)) return ancestor->GetContentScrollPos();
    }
    return SIZE{0, 0};
}

}  // namespace ui
