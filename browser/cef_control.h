#pragma once

#include "browser/cef_control_base.h"
#include "browser/dib_buffer.h"
#include "ui/message_filter.h"

namespace zel_comp {

// The off-screen browser control: the runtime paints frames into memory, which the control
// copies onto the window's surface when it paints (cef_control_paint.cpp); as a message filter
// of its window it forwards mouse and keyboard input to the browser (cef_control_input.cpp).
// UI thread only.
class CefControl : public CefControlBase, public ui::IUIMessageFilter {
public:
    CefControl() = default;
    ~CefControl() override;

    // Frames then keep their alpha: what the page leaves clear shows the control's background.
    void SetTransparentPainting(bool transparent) { transparentPainting_ = transparent; }

    void SetWindowAndParent(ui::Window* window, ui::Box* parent, bool init) override;
    void Init() override;
    void SetPos(RECT rect) override;
    void SetFadeVisible(bool visible) override;
    void SetInternalVisible(bool visible) override;
    void HandleEvent(ui::EventArgs* args) override;
    void Paint(ui::IRenderContext* context, const RECT& dirty) override;

    bool ShowDevToolsIn(ui::Control* view) override;
    void CreateBrowser() override;

    LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

    void OnPaint(CefRefPtr<CefBrowser> browser, CefPaintElementType type, const std::vector<CefRect>& dirtyRects,
                 const std::string* buffer, int width, int height) override;
    void OnPopupShow(CefRefPtr<CefBrowser> browser, bool show) override;
    void OnPopupSize(CefRefPtr<CefBrowser> browser, const CefRect& rect) override;

private:
    LRESULT ForwardMouseWheel(WPARAM wParam, LPARAM lParam, bool& handled);
    // Forwards one message to the browser host; handled as the message's rules say.
    void ForwardInput(CefBrowserHost& host, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // A mouse event at the message's window point, relative to the control.
    CefMouseEvent MouseEventAt(POINT point, WPARAM wParam) const;
    bool ContainsWindowPoint(POINT point) const;
    // Creates or re-creates buffer for a frame of that size and copies the frame.
    void TakeFrame(DibBuffer& buffer, const std::string& pixels, int width, int height);

    DibBuffer view_;
    DibBuffer popup_;
    CefRect popupRect_;
    bool transparentPainting_ = false;
};

}  // namespace zel_comp
