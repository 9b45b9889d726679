#include <algorithm>

#include "tools/browser_runtime/browser.h"
#include "tools/browser_runtime/journal.h"
#include "tools/browser_runtime/runtime.h"

namespace {

// The colour the stand-in paints an open drop-down in.
constexpr std::uint32_t kPopupWidgetColour = 0xE8E8E8;

std::string Describe(const CefRect& rect) {
    return std::to_string(rect.x) + "," + std::to_string(rect.y) + " " + std::to_string(rect.width) + "x" +
           std::to_string(rect.height);
}

}  // namespace

void Browser::WasResized() {
    journal::Write(Name() + ": WasResized");
    CefRefPtr<Browser> self = this;
    runtime::Ui().Post([self] { self->PaintView(); });
}

void Browser::WasHidden(bool hidden) {
    journal::Write(Name() + ": WasHidden(" + (hidden ? "true" : "false") + ")");
    CefRefPtr<Browser> self = this;
    runtime::Ui().Post([self, hidden] {
        self->hidden_ = hidden;
        if (!hidden) self->PaintView();
    });
}

void Browser::Invalidate(CefPaintElementType type) {
    journal::Write(Name() + ": Invalidate(" + (type == PET_VIEW ? "PET_VIEW" : "PET_POPUP") + ")");
    CefRefPtr<Browser> self = this;
    runtime::Ui().Post([self, type] { type == PET_VIEW ? self->PaintView() : self->PaintPopupWidget(); });
}

void Browser::PaintView() {
    if (Closed()) return;
    if (HWND window = GetWindowHandle()) {
        ::InvalidateRect(window, nullptr, FALSE);
        return;
    }
    if (hidden_) return;
    CefRefPtr<CefRenderHandler> render = client_ ? client_->GetRenderHandler() : nullptr;
    if (!render) return;
    CefRect view;
    journal::Write("-> GetViewRect(" + Name() + ")");
    if (!render->GetViewRect(this, view) || view.width <= 0 || view.height <= 0) {
        journal::Write("   no view size: nothing painted");
        return;
    }
    const int width = std::min(view.width, kMaxFrameSide);
    const int height = std::min(view.height, kMaxFrameSide);
    const std::vector<std::uint8_t> pixels = PaintFrame(width, height, look_);
    if (pixels.empty()) return;
    journal::Write("-> OnPaint(" + Name() + ", PET_VIEW, " + std::to_string(width) + "x" + std::to_string(height) + ")");
    render->OnPaint(this, PET_VIEW, {CefRect{0, 0, width, height}}, pixels.data(), width, height);
}

void Browser::PaintPopupWidget() {
    if (Closed() || hidden_ || popupWidget_.width <= 0 || popupWidget_.height <= 0) return;
    CefRefPtr<CefRenderHandler> render = client_ ? client_->GetRenderHandler() : nullptr;
    if (!render) return;
    const int width = std::min(popupWidget_.width, kMaxFrameSide);
    const int height = std::min(popupWidget_.height, kMaxFrameSide);
    const std::vector<std::uint8_t> pixels = PaintFrame(width, height, FrameLook{kPopupWidgetColour, false, L""});
    if (pixels.empty()) return;
    journal::Write("-> OnPaint(" + Name() + ", PET_POPUP, " + std::to_string(width) + "x" + std::to_string(height) + ")");
    render->OnPaint(this, PET_POPUP, {CefRect{0, 0, width, height}}, pixels.data(), width, height);
}

void Browser::ShowPopupWidget(bool show, const CefRect& rect) {
    if (Closed()) return;
    CefRefPtr<CefRenderHandler> render = client_ ? client_->GetRenderHandler() : nullptr;
    popupWidget_ = show ? rect : CefRect{};
    if (!render) return;
    journal::Write(std::string("-> OnPopupShow(") + Name() + ", " + (show ? "true" : "false") + ")");
    render->OnPopupShow(this, show);
    if (!show) return;
    journal::Write("-> OnPopupSize(" + Name() + ", " + Describe(rect) + ")");
    render->OnPopupSize(this, rect);
    PaintPopupWidget();
}
