// The off-screen control's painting: frames from the handler are copied into the view and
// popup images, which are copied onto the window's surface when the control paints.
#include "browser/cef_control.h"

#include "browser/frame_geometry.h"
#include "ui/render/render_context.h"
#include "ui/window.h"

namespace zel_comp {

void CefControl::OnPaint(CefRefPtr<CefBrowser>, CefPaintElementType type, const std::vector<CefRect>&,
                         const std::string* buffer, int width, int height) {
    if (!buffer) return;
    if (type == PET_VIEW) {
        TakeFrame(view_, *buffer, width, height);
    } else if (type == PET_POPUP && view_.IsValid() && popupRect_.width > 0 && popupRect_.height > 0) {
        TakeFrame(popup_, *buffer, width, height);
    }
    Invalidate();
}

void CefControl::TakeFrame(DibBuffer& buffer, const std::string& pixels, int width, int height) {
    if (width != buffer.GetWidth() || height != buffer.GetHeight()) {
        buffer.Create(window_ ? window_->GetPaintDC() : nullptr, width, height);
    }
    buffer.CopyFrame(pixels);
}

void CefControl::OnPopupShow(CefRefPtr<CefBrowser> browser, bool show) {
    if (show) return;
    popupRect_ = CefRect{};
    if (browser) browser->GetHost()->Invalidate(PET_VIEW);
}

void CefControl::OnPopupSize(CefRefPtr<CefBrowser>, const CefRect& rect) {
    if (rect.width > 0 && rect.height > 0) popupRect_ = rect;
}

void CefControl::Paint(ui::IRenderContext* context, const RECT& dirty) {
    ui::Control::Paint(context, dirty);
    if (!context || !view_.IsValid() || !GetMainHost()) return;
    const RECT rect = GetPos(true);
    context->BitBlt(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, view_.GetDC(), 0, 0, SRCCOPY);
    if (popupRect_.width <= 0 || popupRect_.height <= 0 || !popup_.IsValid()) return;
    const PopupBlit blit = PlacePopup(rect.left, rect.top, popupRect_.x, popupRect_.y, popupRect_.width,
                                      popupRect_.height);
    context->BitBlt(blit.destX, blit.destY, blit.width, blit.height, popup_.GetDC(), blit.sourceX, blit.sourceY,
                    SRCCOPY);
}

}  // namespace zel_comp
