#include "ui/control.h"

#include <algorithm>

#include "base/string_conversions.h"
#include "base/string_util.h"
#include "ui/box.h"
#include "ui/dpi_manager.h"
#include "ui/global_manager.h"
#include "ui/image_info.h"
#include "ui/language_table.h"
#include "ui/render/render_context.h"
#include "ui/window.h"

namespace ui {

Control::Control() {
    stateColors_.SetOwner(this);
    for (int kind = 0; kind < 4; ++kind) stateImages_[kind].SetOwner(this);
    animationManager_.Init(this);
    channels_ = L"AppStore";
}

Control::~Control() {
    if (window_) window_->ReapObjects(this);
}

// --- geometry ------------------------------------------------------------------------------

SIZE Control::EstimateSize(SIZE available) {
    if (fixedWidth_ != kSizeAuto && fixedHeight_ != kSizeAuto) return SIZE{fixedWidth_, fixedHeight_};
    if (!reEstimateSize_) return estimateSize_;

    SIZE size{fixedWidth_, fixedHeight_};
    if (Image* image = GetBkImage()) {
        if (Image::IsRectSet(image->source)) {
            // The image names its own size: it becomes the fixed size.
            SetFixedWidth(image->source.right - image->source.left);
            SetFixedHeight(image->source.bottom - image->source.top);
            return SIZE{fixedWidth_, fixedHeight_};
        }
        LoadImage(*image);
        if (image->imageCache) {
            const DpiManager* dpi = DpiManager::GetInstance();
            if (size.cx == kSizeAuto) size.cx = dpi->ScaleInt(image->imageCache->GetWidth());
            if (size.cy == kSizeAuto) size.cy = dpi->ScaleInt(image->imageCache->GetHeight());
        }
    }
    reEstimateSize_ = false;
    const SIZE text = EstimateText(available, reEstimateSize_);
    if (size.cx == kSizeAuto) size.cx = std::max(size.cx, text.cx);
    if (size.cy == kSizeAuto) size.cy = std::max(size.cy, text.cy);
    estimateSize_ = size;
    return size;
}

RECT Control::GetPos(bool containShadow) const {
    RECT rect = rect_;
    if (window_ && !containShadow) {
        const RECT shadow = window_->GetShadowPadding();
        ::OffsetRect(&rect, -shadow.left, -shadow.top);
    }
    return rect;
}

void Control::SetPos(RECT rect) {
    if (rect.right < rect.left) rect.right = rect.left;
    if (rect.bottom < rect.top) rect.bottom = rect.top;
    if (::EqualRect(&rect, &rect_)) {
        needArrange_ = false;
        return;
    }
    RECT invalid = ::IsRectEmpty(&rect_) ? rect : rect_;
    rect_ = rect;
    if (!window_) return;

    if (!resizeGuard_) {
        resizeGuard_ = true;
        SendEvent(this, kEventResize);
        resizeGuard_ = false;
    }
    needArrange_ = false;

    ::UnionRect(&invalid, &invalid, &rect_);
    const SIZE offset = GetScrollOffset();
    ::OffsetRect(&invalid, -offset.cx, -offset.cy);
    for (Box* ancestor = parent_; ancestor; ancestor = ancestor->GetParent()) {
        const RECT ancestorRect = ancestor->GetPos(true);
        if (!::IntersectRect(&invalid, &invalid, &ancestorRect)) return;
    }
    window_->InvalidateRect(invalid);
}

void Control::SetMargin(RECT margin, bool scaleForDpi) {
    if (scaleForDpi) DpiManager::GetInstance()->ScaleRect(margin);
    if (::EqualRect(&margin, &margin_)) return;
    margin_ = margin;
    ArrangeAncestor();
}

SIZE Control::EstimateText(SIZE /*available*/, bool& /*reEstimate*/) {
    return SIZE{0, 0};
}

bool Control::ContainsPoint(POINT point) const {
    const SIZE offset = GetScrollOffset();
    point.x += offset.cx;
    point.y += offset.cy;
    return ::PtInRect(&rect_, point) != FALSE;
}

Image* Control::GetBkImage() {
    if (!bkImage_.file.empty()) return &bkImage_;
    return stateImages_[kStateImageBk].GetEstimateImage();
}

Control* Control::FindControl(FindControlCallback callback, void* data, UINT flags, SIZE /*offset*/) {
    if ((flags & kFindVisible) && !IsVisible()) return nullptr;
    if ((flags & kFindEnabled) && !IsEnabled()) return nullptr;
    // A hit test's point arrives in this control's own coordinates: every scrolled box above
    // has added its scroll position already.
    if ((flags & kFindHitTest) && (!mouseEnabled_ || !::PtInRect(&rect_, *static_cast<POINT*>(data)))) return nullptr;
    return callback(this, data);
}

// --- visibility, state, focus ----------------------------------------------------------------

void Control::SetFadeVisible(bool visible) {
    if (visible) {
        animationManager_.Appear();
    } else {
        animationManager_.Disappear();
    }
}

void Control::StopBkImageAnimation() {
    if (bkImage_.imageCache && bkImage_.imageCache->GetFrameCount() > 1) {
        bkImage_.playing = false;
        frameTimerFlag_.Cancel();
        Invalidate();
    }
}

void Control::SetVisible(bool visible) {
    if (visible == visible_) return;
    const bool wasVisible = IsVisible();
    visible_ = visible;
    focused_ = false;
    if (!visible && window_ && window_->GetFocus() == this) window_->SetFocusControl(nullptr);
    if (IsVisible() != wasVisible) ArrangeAncestor();
    if (!IsVisible()) StopBkImageAnimation();
}

void Control::SetInternalVisible(bool visible) {
    internalVisible_ = visible;
    if (!visible && window_ && window_->GetFocus() == this) window_->SetFocusControl(nullptr);
    if (!IsVisible()) StopBkImageAnimation();
}

void Control::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    if (enabled) {
        state_ = kControlStateNormal;
        hotAlpha_ = 0;
    } else {
        state_ = kControlStateDisabled;
    }
    Invalidate();
}

void Control::SetFocus() {
    if (noFocus_ || !window_) return;
    window_->SetFocusControl(this);
}

bool Control::HasHotState() {
    if (stateColors_.HasColor(kControlStateHot)) return true;
    for (auto& [kind, images] : stateImages_) {
        if (images.HasHotImage()) return true;
    }
    return false;
}

void Control::SetAlpha(int alpha) {
    alpha_ = alpha;
    Invalidate();
}

void Control::SetHotAlpha(int alpha) {
    hotAlpha_ = alpha;
    Invalidate();
}

void Control::SetRenderOffsetX(int x) {
    renderOffset_.x = x;
    Invalidate();
}

void Control::SetRenderOffsetY(int y) {
    renderOffset_.y = y;
    Invalidate();
}

// --- texts and data --------------------------------------------------------------------------

std::wstring Control::GetToolTipText() const {
    if (tooltipText_.empty() && !tooltipTextId_.empty()) return LanguageTable::GetInstance().GetText(tooltipTextId_);
    return tooltipText_;
}

std::string Control::GetUTF8ToolTipText() const {
    std::string text;
    kbase::WideToUtf8(GetToolTipText(), text);
    return text;
}

void Control::SetToolTipText(const std::wstring& text) {
    std::wstring value = text;
    kbase::ReplaceAll(L"<n>", L"\r\n", value);
    tooltipText_ = value;
    Invalidate();
}

void Control::SetUTF8ToolTipText(const std::string& text) {
    std::wstring wide;
    kbase::Utf8ToWide(text.c_str(), wide);
    if (wide.empty()) {
        tooltipText_.clear();
        Invalidate();
        return;
    }
    if (wide == tooltipText_) return;
    SetToolTipText(wide);
}

void Control::SetToolTipTextId(const std::wstring& id) {
    if (id == tooltipTextId_) return;
    tooltipTextId_ = id;
    Invalidate();
}

void Control::SetUTF8ToolTipTextId(const std::string& id) {
    std::wstring wide;
    kbase::Utf8ToWide(id.c_str(), wide);
    SetToolTipTextId(wide);
}

void Control::SetToolTipWidth(int width) {
    tooltipWidth_ = DpiManager::GetInstance()->ScaleInt(width);
}

std::string Control::GetUTF8DataId() const {
    std::string id;
    kbase::WideToUtf8(dataId_, id);
    return id;
}

void Control::SetUTF8DataId(const std::string& id) {
    kbase::Utf8ToWide(id.c_str(), dataId_);
}

}  // namespace ui
