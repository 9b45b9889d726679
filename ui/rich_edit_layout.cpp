// The edit's size, position, scroll bars, scrolling and painting.
#include "ui/rich_edit.h"

#include <algorithm>

#include "ui/global_manager.h"
#include "ui/layout.h"
#include "ui/render/auto_clip.h"
#include "ui/render/render_context.h"
#include "ui/scroll_bar.h"
#include "ui/txt_win_host.h"
#include "ui/window.h"

namespace ui {
namespace {

constexpr DWORD kOpaqueBlack = 0xFF000000;

bool Meets(const RECT& a, const RECT& b) {
    RECT common{};
    return ::IntersectRect(&common, &a, &b) != FALSE;
}

bool HasRange(const ScrollBar* bar) {
    return bar && bar->GetScrollRange() != 0;
}

// Moves a bar that has a range to a clamped position (the bar lays itself out again); the
// change it made.
LONG MoveBar(ScrollBar* bar, LONG wanted) {
    if (!HasRange(bar)) return 0;
    const std::int64_t old = bar->GetScrollPos();
    bar->SetScrollPos(std::clamp<std::int64_t>(wanted, 0, bar->GetScrollRange()));
    return static_cast<LONG>(bar->GetScrollPos() - old);
}

}  // namespace

SIZE RichEdit::EstimateSize(SIZE /*available*/) {
    SIZE size{GetFixedWidth(), GetFixedHeight()};
    if (size.cx != kSizeAuto && size.cy != kSizeAuto) return size;
    const RECT padding = GetLayout()->GetPadding();
    SIZE natural{0, 0};
    if (size.cx == kSizeAuto) {
        if (host_) host_->GetNaturalSize(0, size.cy, natural);
        size.cx = natural.cx + padding.left + padding.right;
    } else {
        if (host_) host_->GetNaturalSize(size.cx, 0, natural);
        size.cy = natural.cy + padding.top + padding.bottom;
    }
    return size;
}

RECT RichEdit::GetInnerRect() const {
    const RECT padding = GetLayout()->GetPadding();
    RECT inner{rect_.left + padding.left, rect_.top + padding.top, rect_.right - padding.right,
               rect_.bottom - padding.bottom};
    if (const ScrollBar* bar = GetVerticalScrollBar(); HasRange(bar)) inner.right -= bar->GetFixedWidth();
    if (const ScrollBar* bar = GetHorizontalScrollBar(); HasRange(bar)) inner.bottom -= bar->GetFixedHeight();
    return inner;
}

RECT RichEdit::GetTextRect() const {
    const RECT inner = GetInnerRect();
    return RECT{inner.left + textPadding_.left, inner.top + textPadding_.top, inner.right - textPadding_.right,
                inner.bottom - textPadding_.bottom};
}

LONG RichEdit::NaturalHeight(LONG width) const {
    SIZE natural{0, 0};
    return host_ && host_->GetNaturalSize(width, 0, natural) ? natural.cy : 0;
}

void RichEdit::SetPos(RECT rect) {
    Control::SetPos(rect);
    ScrollBar* vertical = GetVerticalScrollBar();
    ScrollBar* horizontal = GetHorizontalScrollBar();
    const bool verticalWasShown = HasRange(vertical);

    if (host_) {
        const RECT text = GetTextRect();
        host_->SetClientRect(text);
        // A bar that the text needed at the old width may no longer be needed: test the
        // height at the width the bar would give back.
        if (vertical && verticalWasShown && (!HasRange(vertical) || vScrollBarFixing_)) {
            const LONG width = text.right - text.left + vertical->GetFixedWidth();
            if (NaturalHeight(width) > text.bottom - text.top) {
                if (vertical->GetScrollPos() != 0) {
                    vertical->SetScrollPos(0);
                    vertical->Relayout();
                }
                vScrollBarFixing_ = true;
            } else if (vScrollBarFixing_) {
                CTxtWinHost::HideScrollBar(vertical);
                vScrollBarFixing_ = false;
            }
        }
    }

    const RECT inner = GetInnerRect();
    if (HasRange(vertical)) {
        vertical->SetPos(RECT{inner.right, inner.top, inner.right + vertical->GetFixedWidth(), inner.bottom});
    }
    if (HasRange(horizontal)) {
        horizontal->SetPos(RECT{inner.left, inner.bottom, inner.right, inner.bottom + horizontal->GetFixedHeight()});
    }
    for (Control* child : items_) {
        if (!child->IsVisible()) continue;
        if (child->IsFloat()) Layout::PlaceFloatChild(child, rect_);
        else child->SetPos(inner);
    }
}

// --- scrolling ------------------------------------------------------------------------------------

void RichEdit::SetScrollPos(SIZE pos) {
    ScrollBar* vertical = GetVerticalScrollBar();
    ScrollBar* horizontal = GetHorizontalScrollBar();
    const LONG dy = MoveBar(vertical, pos.cy);
    const LONG dx = MoveBar(horizontal, pos.cx);
    if (dy != 0) {
        // Plain text may report a smaller position after a thumb scroll down; keep the
        // position the user asked for.
        const bool keepPosition = host_ && !rich_ && HasRange(vertical);
        const std::int64_t asked = keepPosition ? vertical->GetScrollPos() : 0;
        SendScroll(WM_VSCROLL, static_cast<WORD>(vertical->GetScrollPos()));
        if (keepPosition && dy > 0 && vertical->GetScrollPos() < asked) {
            vertical->SetScrollPos(std::min(asked, vertical->GetScrollRange()));
            vertical->Relayout();
        }
    }
    if (dx != 0) SendScroll(WM_HSCROLL, static_cast<WORD>(horizontal->GetScrollPos()));
}

void RichEdit::SendScroll(UINT message, WORD position) {
    TxSendMessage(message, MAKEWPARAM(SB_THUMBPOSITION, position), 0, nullptr);
}

void RichEdit::SendScrollCode(UINT message, WORD code) {
    TxSendMessage(message, code, 0, nullptr);
}

void RichEdit::PageUp() { SendScrollCode(WM_VSCROLL, SB_PAGEUP); }
void RichEdit::PageDown() { SendScrollCode(WM_VSCROLL, SB_PAGEDOWN); }
void RichEdit::HomeUp() { SendScrollCode(WM_VSCROLL, SB_TOP); }
void RichEdit::PageLeft() { SendScrollCode(WM_HSCROLL, SB_PAGELEFT); }
void RichEdit::PageRight() { SendScrollCode(WM_HSCROLL, SB_PAGERIGHT); }
void RichEdit::HomeLeft() { SendScrollCode(WM_HSCROLL, SB_LEFT); }
void RichEdit::EndRight() { SendScrollCode(WM_HSCROLL, SB_RIGHT); }

// --- painting -------------------------------------------------------------------------------------

void RichEdit::Paint(IRenderContext* context, const RECT& dirty) {
    if (!Meets(dirty, rect_)) return;
    Control::Paint(context, dirty);
    ITextServices* services = host_ ? host_->GetTextServices() : nullptr;
    if (!services) return;
    RECT bounds{};
    host_->GetControlRect(&bounds);
    RECT update = dirty;
    RECT drawn{};
    ::IntersectRect(&drawn, &dirty, &rect_);
    context->DrawGdi(drawn, [&](HDC dc) {
        services->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, dc, nullptr, reinterpret_cast<LPCRECTL>(&bounds),
                         nullptr, &update, nullptr, 0, TXTVIEW_ACTIVE);
    });
    if (vScrollBarFixing_ && GetVerticalScrollBar()) {
        const RECT text = GetTextRect();
        const LONG width = text.right - text.left + GetVerticalScrollBar()->GetFixedWidth();
        if (NaturalHeight(width) <= text.bottom - text.top) Arrange();
    }
}

void RichEdit::PaintStatusImage(IRenderContext* context) {
    if (readOnly_) return;
    if (IsFocused() && !focusedImage_.file.empty()) DrawImage(context, focusedImage_);
    else Control::PaintStatusImage(context);

    if (!host_ || promptColor_.empty() || TextLength() != 0) return;
    const std::wstring prompt = GetPromptText();
    if (prompt.empty()) return;
    RECT bounds{};
    host_->GetControlRect(&bounds);
    context->DrawText(bounds, prompt, GlobalManager::GetTextColor(promptColor_), fontId_, DT_NOCLIP, 255, false);
}

void RichEdit::PaintChild(IRenderContext* context, const RECT& dirty) {
    if (!Meets(dirty, rect_)) return;
    if (caretShown_ && !composing_) {
        const DWORD color = caretColor_.empty() ? kOpaqueBlack : GlobalManager::GetTextColor(caretColor_);
        context->DrawLine(RECT{caretPos_.x, caretPos_.y, caretPos_.x, caretPos_.y + caretSize_.cy}, caretSize_.cx, color);
    }

    const RECT inner = GetInnerRect();
    if (!Meets(dirty, inner)) {
        for (Control* child : items_) {
            if (child->IsVisible() && child->IsFloat() && Meets(dirty, child->GetPos()) && Meets(rect_, child->GetPos())) {
                child->AlphaPaint(context, dirty);
            }
        }
    } else {
        RECT clip{};
        ::IntersectRect(&clip, &dirty, &rect_);
        AutoClip autoClip(context, clip);
        for (Control* child : items_) {
            if (!child->IsVisible() || !Meets(dirty, child->GetPos())) continue;
            if (!Meets(child->IsFloat() ? rect_ : inner, child->GetPos())) continue;
            child->AlphaPaint(context, dirty);
        }
    }

    for (ScrollBar* bar : {GetVerticalScrollBar(), GetHorizontalScrollBar()}) {
        if (bar && bar->IsVisible() && Meets(dirty, bar->GetPos())) bar->AlphaPaint(context, dirty);
    }
}

void RichEdit::ClearImageCache() {
    ScrollableBox::ClearImageCache();
    focusedImage_.ReleaseCache();
}

}  // namespace ui
