#pragma once

#include "browser/cef_control_base.h"

namespace zel_comp {

// The windowed browser control: the runtime draws the page into a child window of its own,
// kept over the control's rectangle, which takes its input itself. UI thread only.
class CefNativeControl : public CefControlBase {
public:
    CefNativeControl() = default;
    ~CefNativeControl() override;

    void SetWindowAndParent(ui::Window* window, ui::Box* parent, bool init) override;
    void Init() override;
    void SetPos(RECT rect) override;
    void SetFadeVisible(bool visible) override;
    void SetInternalVisible(bool visible) override;
    void HandleEvent(ui::EventArgs* args) override;

    bool ShowDevToolsIn(ui::Control* view) override;
    void CreateBrowser() override;

    // The main browser's window; null without one.
    HWND GetBrowserWindow() const;

private:
    // Shows the browser's window, or shrinks it to nothing (it is never hidden).
    void ShowBrowserWindow(bool visible);
};

}  // namespace zel_comp
