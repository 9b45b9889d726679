#include "browser/cef_control_base.h"

#include "browser/cef_js_bridge.h"
#include "ui/window.h"

namespace zel_comp {

CefControlBase::~CefControlBase() = default;

void CefControlBase::NavigateTo(const CefString& url) {
    if (!handler_) return;
    if (const CefRefPtr<CefBrowser> browser = handler_->GetMainBrowser()) {
        browser->GetMainFrame()->LoadURL(url);
        return;
    }
    handler_->QueueAfterCreatedTask(MakeWeakCallback([this, url] { NavigateTo(url); }));
}

void CefControlBase::HideDevTools() {
    const CefRefPtr<CefBrowserHost> host = GetMainHost();
    if (!devToolsVisible_ || !host) return;
    host->CloseDevTools();
    SetDevToolsVisible(false);
}

CefRefPtr<CefBrowserHost> CefControlBase::GetMainHost() const {
    const CefRefPtr<CefBrowser> browser = handler_ ? handler_->GetMainBrowser() : nullptr;
    return browser ? browser->GetHost() : nullptr;
}

void CefControlBase::CreateHandler() {
    handler_ = new BrowserHandler();
    handler_->SetHost(window_ ? window_->GetHWND() : nullptr);
    handler_->SetDelegate(this);
}

void CefControlBase::CreateBridge() {
    if (!jsBridge_) jsBridge_ = std::make_shared<CefJSBridge>();
}

void CefControlBase::DetachHandler() {
    if (!handler_) return;
    handler_->SetHost(nullptr);
    handler_->SetDelegate(nullptr);
}

void CefControlBase::SetDevToolsVisible(bool visible) {
    devToolsVisible_ = visible;
    if (onDevToolsVisibility_) onDevToolsVisibility_(visible);
}

}  // namespace zel_comp
