#include "browser/cef_control.h"

#include "base/thread_registry.h"
#include "ui/window.h"

namespace zel_comp {

CefControl::~CefControl() {
    if (handler_ && handler_->GetMainBrowser()) handler_->CloseAllBrowser();
    DetachHandler();
    if (handler_ && window_) window_->RemoveMessageFilter(this);
}

void CefControl::Init() {
    if (!handler_) {
        if (window_) window_->AddMessageFilter(this);
        CreateHandler();
        CreateBrowser();
    }
    CreateBridge();
    DoInit();
}

void CefControl::CreateBrowser() {
    if (!handler_ || handler_->GetMainBrowser()) return;
    CefWindowInfo info;
    info.windowless_rendering_enabled = 1;
    info.parent_window = window_ ? window_->GetHWND() : nullptr;
    info.transparent_painting_enabled = transparentPainting_ ? 1 : 0;
    CefBrowserHost::CreateBrowser(info, handler_.get(), CefString(), CefBrowserSettings(), nullptr);
}

void CefControl::SetWindowAndParent(ui::Window* window, ui::Box* parent, bool init) {
    if (!handler_) {
        ui::Control::SetWindowAndParent(window, parent, init);
        return;
    }
    if (window_) window_->RemoveMessageFilter(this);
    ui::Control::SetWindowAndParent(window, parent, init);
    if (window_) window_->AddMessageFilter(this);
    handler_->SetHost(window_ ? window_->GetHWND() : nullptr);
}

void CefControl::SetPos(RECT rect) {
    ui::Control::SetPos(rect);
    if (handler_) handler_->SetViewBounds(rect);
}

void CefControl::SetFadeVisible(bool visible) {
    ui::Control::SetFadeVisible(visible);
    if (const CefRefPtr<CefBrowserHost> host = GetMainHost()) host->WasHidden(!visible);
}

void CefControl::SetInternalVisible(bool visible) {
    ui::Control::SetInternalVisible(visible);
    if (const CefRefPtr<CefBrowserHost> host = GetMainHost()) host->WasHidden(!visible);
}

void CefControl::HandleEvent(ui::EventArgs* args) {
    if (const CefRefPtr<CefBrowserHost> host = GetMainHost()) {
        if (args->type == ui::kEventInternalSetFocus) host->SendFocusEvent(true);
        if (args->type == ui::kEventInternalKillFocus) host->SendFocusEvent(false);
    }
    ui::Control::HandleEvent(args);
}

bool CefControl::ShowDevToolsIn(ui::Control* view) {
    auto* target = dynamic_cast<CefControl*>(view);
    if (devToolsVisible_ || !target || !handler_ || !target->handler_) return true;
    const CefRefPtr<CefBrowserHost> host = GetMainHost();
    const CefRefPtr<CefBrowserHost> targetHost = target->GetMainHost();
    if (host && targetHost) {
        CefWindowInfo info;
        info.windowless_rendering_enabled = 1;
        info.parent_window = window_ ? window_->GetHWND() : nullptr;
        info.transparent_painting_enabled = transparentPainting_ ? 1 : 0;
        host->ShowDevTools(info, targetHost->GetClient(), CefBrowserSettings(), CefPoint{0, 0});
        SetDevToolsVisible(true);
        return true;
    }
    // Again once the view's handler has a new browser, if both controls are still there.
    const std::weak_ptr<kbase::WeakFlag> targetAlive = target->ObtainWeakFlag();
    const auto retry = MakeWeakCallback([this, target, targetAlive] {
        if (!targetAlive.expired()) ShowDevToolsIn(target);
    });
    target->handler_->QueueAfterCreatedTask(kbase::WeakCallback(targetAlive, [retry] {
        kbase::ThreadRegistry::GetInstance()->PostTask(0, retry);
    }));
    return true;
}

}  // namespace zel_comp
