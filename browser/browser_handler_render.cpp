// The browser handler's off-screen rendering: where the view is, and the frames it hands to
// the control.
#include "browser/browser_handler.h"

#include <cstring>

#include "base/thread_registry.h"
#include "browser/frame_geometry.h"

namespace zel_comp {

bool BrowserHandler::GetRootScreenRect(CefRefPtr<CefBrowser>, CefRect& rect) {
    RECT window;
    if (!::GetWindowRect(::GetAncestor(GetHost(), GA_ROOT), &window)) return false;
    rect = CefRect{window.left, window.top, window.right - window.left, window.bottom - window.top};
    return true;
}

bool BrowserHandler::GetViewRect(CefRefPtr<CefBrowser>, CefRect& rect) {
    const bool hasDelegate = AskDelegate(false, [](HandlerDelegate&) { return true; });
    if (hasDelegate) {
        kbase::AutoLock guard(lock_);
        rect = CefRect{0, 0, viewBounds_.right - viewBounds_.left, viewBounds_.bottom - viewBounds_.top};
        return true;
    }
    RECT client;
    if (!::GetClientRect(GetHost(), &client)) return false;
    rect = CefRect{0, 0, client.right - client.left, client.bottom - client.top};
    return true;
}

bool BrowserHandler::GetScreenPoint(CefRefPtr<CefBrowser>, int viewX, int viewY, int& screenX, int& screenY) {
    const HWND host = GetHost();
    if (!::IsWindow(host)) return false;
    POINT point{viewX, viewY};
    ::ClientToScreen(host, &point);
    screenX = point.x;
    screenY = point.y;
    return true;
}

void BrowserHandler::OnPopupShow(CefRefPtr<CefBrowser> browser, bool show) {
    PostToDelegate([browser, show](HandlerDelegate& delegate) { delegate.OnPopupShow(browser, show); });
}

void BrowserHandler::OnPopupSize(CefRefPtr<CefBrowser> browser, const CefRect& rect) {
    PostToDelegate([browser, rect](HandlerDelegate& delegate) { delegate.OnPopupSize(browser, rect); });
}

void BrowserHandler::OnPaint(CefRefPtr<CefBrowser> browser, CefPaintElementType type,
                             const std::vector<CefRect>& dirtyRects, const void* buffer, int width, int height) {
    const std::optional<std::size_t> bytes = FrameByteSize(width, height);
    const bool hasDelegate = AskDelegate(false, [](HandlerDelegate&) { return true; });
    if (!hasDelegate || !buffer || !bytes || (type != PET_VIEW && type != PET_POPUP)) return;
    {
        kbase::AutoLock guard(paintLock_);
        Frame& frame = frames_[type];
        if (*bytes > frame.pixels.size()) frame.pixels.resize(*bytes + 1);
        std::memcpy(frame.pixels.data(), buffer, *bytes);
        frame.width = width;
        frame.height = height;
    }
    const CefRefPtr<BrowserHandler> self(this);
    PostToDelegate([self, browser, type, dirtyRects](HandlerDelegate&) { self->DeliverFrame(browser, type, dirtyRects); });
}

void BrowserHandler::DeliverFrame(CefRefPtr<CefBrowser> browser, CefPaintElementType type,
                                  const std::vector<CefRect>& dirtyRects) {
    // The newest frame of the element, held still while the control copies it.
    kbase::AutoLock guard(paintLock_);
    const Frame& frame = frames_[type];
    if (delegate_) delegate_->OnPaint(browser, type, dirtyRects, &frame.pixels, frame.width, frame.height);
}

void BrowserHandler::OnCursorChange(CefRefPtr<CefBrowser>, HCURSOR cursor) {
    ::SetClassLongPtrW(GetHost(), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
    ::SetCursor(cursor);
}

}  // namespace zel_comp
