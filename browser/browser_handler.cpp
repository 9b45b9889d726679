#include "browser/browser_handler.h"

#include <algorithm>

#include "base/thread_registry.h"
#include "browser/cef_manager.h"
#include "browser/runtime/cef_task.h"
#include "browser/runtime/cef_values.h"

namespace zel_comp {

BrowserHandler::BrowserHandler() = default;

BrowserHandler::~BrowserHandler() = default;

void BrowserHandler::SetHost(HWND host) {
    kbase::AutoLock guard(lock_);
    host_ = host;
}

void BrowserHandler::SetDelegate(HandlerDelegate* delegate) {
    // Taken on this thread: the weak flag is not made thread-safely.
    std::weak_ptr<kbase::WeakFlag> flag = delegate ? delegate->ObtainWeakFlag() : std::weak_ptr<kbase::WeakFlag>();
    kbase::AutoLock guard(delegateLock_);
    if (!delegate && delegate_) detached_ = true;
    delegate_ = delegate;
    delegateFlag_ = std::move(flag);
}

CefRefPtr<CefBrowser> BrowserHandler::GetMainBrowser() {
    kbase::AutoLock guard(lock_);
    return mainBrowser_;
}

HWND BrowserHandler::GetHost() {
    kbase::AutoLock guard(lock_);
    return host_;
}

bool BrowserHandler::IsFocusedNodeEditable() {
    kbase::AutoLock guard(lock_);
    return focusedNodeEditable_;
}

void BrowserHandler::SetViewBounds(RECT bounds) {
    if (!CefCurrentlyOn(TID_UI)) {
        const CefRefPtr<BrowserHandler> self(this);
        CefPostClosure(TID_UI, [self, bounds] { self->SetViewBounds(bounds); });
        return;
    }
    CefRefPtr<CefBrowser> main;
    {
        kbase::AutoLock guard(lock_);
        viewBounds_ = bounds;
        main = mainBrowser_;
    }
    if (main) main->GetHost()->WasResized();
}

std::function<void()> BrowserHandler::QueueAfterCreatedTask(const std::function<void()>& closure) {
    return afterCreatedTasks_.Add(closure);
}

void BrowserHandler::CloseAllBrowser() {
    std::vector<CefRefPtr<CefBrowser>> browsers;
    {
        kbase::AutoLock guard(lock_);
        browsers = browsers_;
    }
    CefPostClosure(TID_UI, [browsers] {
        for (const CefRefPtr<CefBrowser>& browser : browsers) browser->GetHost()->CloseBrowser(true);
    });
}

void BrowserHandler::PostToDelegate(std::function<void(HandlerDelegate&)> call) {
    HandlerDelegate* delegate = nullptr;
    std::weak_ptr<kbase::WeakFlag> flag;
    {
        kbase::AutoLock guard(delegateLock_);
        delegate = delegate_;
        flag = delegateFlag_;
    }
    if (!delegate) return;
    kbase::ThreadRegistry::GetInstance()->PostTask(
        0, kbase::WeakCallback(flag, [delegate, call = std::move(call)] { call(*delegate); }));
}

bool BrowserHandler::OnBeforePopup(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                   const CefString& targetUrl, const CefString& targetFrameName,
                                   CefWindowOpenDisposition targetDisposition, bool userGesture,
                                   const CefPopupFeatures& popupFeatures, CefWindowInfo& windowInfo,
                                   CefRefPtr<CefClient>& client, CefBrowserSettings& settings,
                                   bool* noJavascriptAccess) {
    // No popup window is ever made: a link that asks for one loads in the main browser, if at all.
    const CefRefPtr<CefBrowser> main = GetMainBrowser();
    if (!main || targetUrl.empty()) return true;
    const bool load = AskDelegate(true, [&](HandlerDelegate& delegate) {
        return delegate.OnBeforePopup(browser, frame, targetUrl, targetFrameName, targetDisposition, userGesture,
                                      popupFeatures, windowInfo, client, settings, noJavascriptAccess);
    });
    if (load) main->GetMainFrame()->LoadURL(targetUrl);
    return true;
}

void BrowserHandler::OnAfterCreated(CefRefPtr<CefBrowser> browser) {
    const CefRefPtr<BrowserHandler> self(this);
    kbase::ThreadRegistry::GetInstance()->PostTask(0, [self, browser] { self->RunCreatedTask(browser); });
}

void BrowserHandler::OnBeforeClose(CefRefPtr<CefBrowser> browser) {
    const CefRefPtr<BrowserHandler> self(this);
    kbase::ThreadRegistry::GetInstance()->PostTask(0, [self, browser] { self->RunClosedTask(browser); });
}

void BrowserHandler::RunCreatedTask(CefRefPtr<CefBrowser> browser) {
    CefRefPtr<CefBrowser> previous;
    {
        kbase::AutoLock guard(lock_);
        browsers_.push_back(browser);
        previous = mainBrowser_;
        mainBrowser_ = browser;
    }
    if (previous) previous->GetHost()->WasHidden(true);
    CefManager::GetInstance().IncrementBrowserCount();

    // The control went while this browser was being made: nobody will close it but us.
    if (detached_) {
        browser->GetHost()->CloseBrowser(true);
        return;
    }
    if (delegate_) delegate_->OnAfterCreated(browser);
    if (!CefManager::GetInstance().IsOffScreenRendering() && delegate_) delegate_->UpdateWindowPos();
    afterCreatedTasks_.RunAndClear();
}

void BrowserHandler::RunClosedTask(CefRefPtr<CefBrowser> browser) {
    CefManager::GetInstance().DecrementBrowserCount();
    CefRefPtr<CefBrowser> shown;
    {
        kbase::AutoLock guard(lock_);
        const auto found = std::find_if(browsers_.begin(), browsers_.end(),
                                        [&](const CefRefPtr<CefBrowser>& listed) { return listed->IsSame(browser); });
        if (found != browsers_.end()) {
            browsers_.erase(found);
            if (mainBrowser_ && mainBrowser_->IsSame(browser)) {
                mainBrowser_ = browsers_.empty() ? nullptr : browsers_.back();
                shown = mainBrowser_;
            }
        }
    }
    if (shown) {
        shown->GetHost()->WasHidden(false);
        shown->Reload();
    }
    if (delegate_) delegate_->OnBeforeClose(browser);
}

bool BrowserHandler::OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefProcessId,
                                              CefRefPtr<CefProcessMessage> message) {
    if (!message) return false;
    const CefString name = message->GetName();
    const CefRefPtr<CefListValue> arguments = message->GetArgumentList();
    if (name == CefString("FocusedNodeChanged")) {
        kbase::AutoLock guard(lock_);
        focusedNodeEditable_ = arguments->GetBool(0);
        return true;
    }
    if (name == CefString("CallCppFunction")) {
        AskDelegate(false, [&](HandlerDelegate& delegate) {
            return delegate.OnCallCppFunction(arguments->GetString(0), arguments->GetString(1), arguments->GetInt(2),
                                              browser);
        });
        return true;
    }
    if (name == CefString("ExecuteCppCallback")) {
        AskDelegate(false, [&](HandlerDelegate& delegate) {
            return delegate.OnExecuteCppCallback(arguments->GetInt(1), arguments->GetString(0));
        });
    }
    return false;
}

}  // namespace zel_comp
