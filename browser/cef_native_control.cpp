#include "browser/cef_native_control.h"

#include "base/thread_registry.h"
#include "ui/window.h"

namespace zel_comp {
namespace {

constexpr DWORD kBrowserWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP;
constexpr DWORD kDevToolsStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

void ClipChildren(HWND window) {
    if (!window) return;
    const LONG style = ::GetWindowLongW(window, GWL_STYLE);
    ::SetWindowLongW(window, GWL_STYLE, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
}

}  // namespace

CefNativeControl::~CefNativeControl() {
    if (const CefRefPtr<CefBrowserHost> host = GetMainHost()) host->CloseBrowser(true);
    DetachHandler();
}

void CefNativeControl::Init() {
    if (!handler_) {
        ClipChildren(window_ ? window_->GetHWND() : nullptr);
        CreateHandler();
        CreateBrowser();
    }
    CreateBridge();
    DoInit();
}

void CefNativeControl::CreateBrowser() {
    if (!handler_ || handler_->GetMainBrowser()) return;
    const RECT rect = GetPos(true);
    CefWindowInfo info;
    info.style = kBrowserWindowStyle;
    info.parent_window = window_ ? window_->GetHWND() : nullptr;
    info.x = rect.left;
    info.y = rect.top;
    info.width = rect.right - rect.left;
    info.height = rect.bottom - rect.top;
    CefBrowserHost::CreateBrowser(info, handler_.get(), CefString(), CefBrowserSettings(), nullptr);
}

HWND CefNativeControl::GetBrowserWindow() const {
    const CefRefPtr<CefBrowserHost> host = GetMainHost();
    return host ? host->GetWindowHandle() : nullptr;
}

void CefNativeControl::SetPos(RECT rect) {
    ui::Control::SetPos(rect);
    if (const HWND browserWindow = GetBrowserWindow()) {
        ::SetWindowPos(browserWindow, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_NOZORDER);
    }
}

void CefNativeControl::HandleEvent(ui::EventArgs* args) {
    if (const CefRefPtr<CefBrowserHost> host = GetMainHost()) {
        if (args->type == ui::kEventInternalSetFocus) host->SetFocus(true);
        if (args->type == ui::kEventInternalKillFocus) host->SetFocus(false);
    }
    ui::Control::HandleEvent(args);
}

void CefNativeControl::ShowBrowserWindow(bool visible) {
    const HWND browserWindow = GetBrowserWindow();
    if (!browserWindow) return;
    if (visible) {
        ::ShowWindow(browserWindow, SW_SHOW);
    } else {
        ::SetWindowPos(browserWindow, nullptr, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
    }
}

void CefNativeControl::SetFadeVisible(bool visible) {
    ui::Control::SetFadeVisible(visible);
    ShowBrowserWindow(visible);
}

void CefNativeControl::SetInternalVisible(bool visible) {
    ui::Control::SetInternalVisible(visible);
    ShowBrowserWindow(visible);
}

void CefNativeControl::SetWindowAndParent(ui::Window* window, ui::Box* parent, bool init) {
    const HWND handle = window ? window->GetHWND() : nullptr;
    if (handler_) handler_->SetHost(handle);
    if (const HWND browserWindow = GetBrowserWindow()) ::SetParent(browserWindow, handle);
    ClipChildren(handle);
    ui::Control::SetWindowAndParent(window, parent, init);
}

bool CefNativeControl::ShowDevToolsIn(ui::Control*) {
    if (devToolsVisible_) return true;
    if (const CefRefPtr<CefBrowserHost> host = GetMainHost()) {
        CefWindowInfo info;
        info.style = kDevToolsStyle;
        info.window_name = L"cef_devtools";
        info.x = CW_USEDEFAULT;
        info.y = CW_USEDEFAULT;
        info.width = 900;
        info.height = 700;
        host->ShowDevTools(info, new BrowserHandler(), CefBrowserSettings(), CefPoint{0, 0});
        SetDevToolsVisible(true);
    } else if (handler_) {
        handler_->QueueAfterCreatedTask(MakeWeakCallback([this] {
            kbase::ThreadRegistry::GetInstance()->PostTask(0, MakeWeakCallback([this] { ShowDevToolsIn(nullptr); }));
        }));
    }
    return true;
}

}  // namespace zel_comp
