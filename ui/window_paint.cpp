// Painting of ui::Window: the pending layout, the tree into the render context, the alpha a
// layered window needs, the bitmap onto the screen; and the window's fade-in.
#include "ui/window.h"

#include "ui/animation_player.h"
#include "ui/box.h"
#include "ui/dpi_manager.h"
#include "ui/render/auto_clip.h"
#include "ui/render/render_context.h"
#include "ui/window_geometry.h"

namespace ui {
namespace {

// The largest room an auto-sized root is measured in.
constexpr SIZE kUnboundedRoom{99999, 99999};

Control* FindNeedsArrange(Control* control, void* /*data*/) {
    return control->NeedsArrange() ? control : nullptr;
}

RECT VirtualScreen() {
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

class ScopedPaint {
public:
    explicit ScopedPaint(HWND window) : window_(window) { ::BeginPaint(window_, &paint_); }
    ~ScopedPaint() { ::EndPaint(window_, &paint_); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

}  // namespace

SIZE Window::EstimateAutoSize() const {
    const SIZE estimate = root_->EstimateSize(kUnboundedRoom);
    return ClampToLimits(estimate, SIZE{root_->GetMinWidth(), root_->GetMinHeight()},
                         SIZE{root_->GetMaxWidth(), root_->GetMaxHeight()});
}

void Window::LayeredPaint() {
    if (::IsIconic(hwnd_) || !root_ || !renderContext_) {
        ScopedPaint validate(hwnd_);
        return;
    }
    const bool autoSized = root_->GetFixedWidth() == kSizeAuto || root_->GetFixedHeight() == kSizeAuto;
    if (layoutPending_ && root_->NeedsArrange() && autoSized) {
        const SIZE size = EstimateAutoSize();
        RECT window{};
        ::GetWindowRect(hwnd_, &window);
        ::MoveWindow(hwnd_, window.left, window.top, size.cx, size.cy, TRUE);
    }

    RECT update{};
    ::GetUpdateRect(hwnd_, &update, FALSE);
    if (::IsRectEmpty(&update) && !firstFadePending_) return;
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    RECT window{};
    ::GetWindowRect(hwnd_, &window);
    if (layered_) update = WidenUpdateForVirtualScreen(update, client, window, VirtualScreen());

    ScopedPaint painting(hwnd_);
    ArrangePending(client);
    RECT paint = update;
    if (renderContext_->Resize(client.right - client.left, client.bottom - client.top, true)) {
        renderContext_->SetRenderTransparent(!shadow_.attached);
        paint = client;
    }
    if (layered_) renderContext_->ClearAlpha(paint, 0);
    AutoClip clip(renderContext_.get(), paint);
    root_->Paint(renderContext_.get(), paint);
    root_->PaintChild(renderContext_.get(), paint);
    if (layered_) RepairAlpha(paint);
    ShowBitmap(paint, client);
}

void Window::ArrangePending(const RECT& client) {
    if (!layoutPending_) return;
    layoutPending_ = false;
    if (!::IsRectEmpty(&client)) {
        if (root_->NeedsArrange()) {
            root_->SetPos(client);
        } else {
            while (Control* control = root_->FindControl(&FindNeedsArrange, nullptr, kFindVisible | kFindMeFirst)) {
                control->SetPos(control->GetPos(true));
            }
        }
    }
    if (firstFadePending_) {
        firstFadePending_ = false;
        FadeInRoot();
    }
}

void Window::RepairAlpha(const RECT& paint) {
    AlphaRepairInput input;
    input.paint = paint;
    input.rootContent = root_->GetPosWithoutPadding();
    input.rootPadding = root_->GetLayout()->GetPadding();
    input.shadowAttached = shadow_.attached;
    input.alphaFixCorner = alphaFixCorner_;
    input.designSize = designSize_;
    input.edging = edging_;
    RECT window{};
    ::GetWindowRect(hwnd_, &window);
    input.windowSize = SIZE{window.right - window.left, window.bottom - window.top};
    if (const std::optional<AlphaRepair> repair = ChooseAlphaRepair(input)) {
        renderContext_->RestoreAlpha(repair->rect, repair->corners, 0);
    }
}

void Window::ShowBitmap(const RECT& paint, const RECT& client) {
    if (!layered_) {
        ::BitBlt(paintDc_.Get(), paint.left, paint.top, paint.right - paint.left, paint.bottom - paint.top,
                 renderContext_->GetDC(), paint.left, paint.top, SRCCOPY);
        return;
    }
    RECT window{};
    ::GetWindowRect(hwnd_, &window);
    POINT destination{window.left, window.top};
    SIZE size{client.right - client.left, client.bottom - client.top};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, windowAlpha_, AC_SRC_ALPHA};
    ::UpdateLayeredWindow(hwnd_, nullptr, &destination, &size, renderContext_->GetDC(), &source, 0, &blend, ULW_ALPHA);
}

void Window::FadeInRoot() {
    if (!root_ || !IsWindowsVersionAtLeast(0)) return;
    AnimationManager& animations = root_->GetAnimationManager();
    AnimationPlayer* player = animations.GetAnimationPlayer(kAnimationAlpha);
    if (!player) player = animations.SetFadeAlpha(true);
    windowAlpha_ = 0;
    player->SetValueCallback(MakeWeakCallback([this](int alpha) { SetWindowAlpha(alpha); }));
    root_->SetFadeVisible(true);
}

void Window::SetWindowAlpha(int alpha) {
    if (!root_) return;
    windowAlpha_ = static_cast<BYTE>(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha);
    InvalidateRect(root_->GetPos(true));
}

}  // namespace ui
