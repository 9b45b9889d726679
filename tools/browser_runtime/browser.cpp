#include "tools/browser_runtime/browser.h"

#include "tools/browser_runtime/journal.h"
#include "tools/browser_runtime/runtime.h"

Frame::Frame(CefRefPtr<Browser> browser) : id_(runtime::NextId()), browser_(std::move(browser)) {}

void Frame::LoadURL(const CefString& url) {
    journal::Write("frame " + std::to_string(id_) + ": LoadURL(" + url.ToString() + ")");
    CefRefPtr<Browser> browser = browser_;
    runtime::Ui().Post([browser, url] { browser->Navigate(url); });
}

CefString Frame::GetURL() {
    std::lock_guard<std::mutex> hold(lock_);
    return url_;
}

void Frame::SetURL(const CefString& url) {
    std::lock_guard<std::mutex> hold(lock_);
    url_ = url;
}

CefRefPtr<CefBrowser> Frame::GetBrowser() { return browser_.get(); }

CefRefPtr<CefV8Context> Frame::GetV8Context() {
    return runtime::Render().IsCurrent() ? browser_->RenderContext() : nullptr;
}

Browser::Browser(int id, const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client, bool devTools)
    : id_(id), client_(std::move(client)), windowInfo_(windowInfo), devTools_(devTools) {}

CefRefPtr<Browser> Browser::Create(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client, const CefString& url,
                                   bool devTools) {
    CefRefPtr<Browser> browser = new Browser(runtime::NextId(), windowInfo, std::move(client), devTools);
    browser->frame_ = new Frame(browser);
    browser->look_.transparent = windowInfo.windowless_rendering_enabled && windowInfo.transparent_painting_enabled;
    runtime::AddBrowser(browser);
    journal::Write(browser->Name() + ": created (" + (windowInfo.windowless_rendering_enabled ? "off-screen" : "windowed") +
                   (devTools ? ", developer tools" : "") + ")");
    runtime::Ui().Post([browser, url] { browser->Created(url); });
    return browser;
}

std::string Browser::Name() const { return "browser " + std::to_string(id_); }

bool Browser::Closed() {
    std::lock_guard<std::mutex> hold(lock_);
    return closed_;
}

void Browser::Created(const CefString& url) {
    if (!windowInfo_.windowless_rendering_enabled) CreateNativeWindow();
    if (CefRefPtr<CefLifeSpanHandler> handler = client_ ? client_->GetLifeSpanHandler() : nullptr) {
        journal::Write("-> OnAfterCreated(" + Name() + ")");
        handler->OnAfterCreated(this);
    }
    CefRefPtr<Browser> self = this;
    runtime::Render().Post([self] { self->RenderBrowserCreated(); });
    if (devTools_) {
        FinishLoad(++generation_, "devtools://inspector", 200, FrameLook{0x242424, false, L"Developer tools"});
    } else if (!url.empty()) {
        Navigate(url);
    } else {
        PaintView();
    }
}

CefRefPtr<CefFrame> Browser::GetMainFrame() {
    std::lock_guard<std::mutex> hold(lock_);
    return frame_.get();
}

CefRefPtr<CefFrame> Browser::GetFrame(std::int64_t identifier) {
    std::lock_guard<std::mutex> hold(lock_);
    return frame_ && frame_->GetIdentifier() == identifier ? frame_.get() : nullptr;
}

void Browser::Reload() {
    journal::Write(Name() + ": Reload");
    CefRefPtr<Browser> self = this;
    runtime::Ui().Post([self] {
        if (CefRefPtr<CefFrame> frame = self->GetMainFrame(); frame && !frame->GetURL().empty())
            self->Navigate(frame->GetURL());
    });
}

bool Browser::IsLoading() {
    std::lock_guard<std::mutex> hold(lock_);
    return loading_;
}

bool Browser::SendProcessMessage(CefProcessId targetProcess, CefRefPtr<CefProcessMessage> message) {
    auto* sent = dynamic_cast<ProcessMessage*>(message.get());
    if (!sent || Closed()) return false;
    CefRefPtr<ProcessMessage> copy = sent->Copy();
    const bool toRender = targetProcess == PID_RENDERER;
    journal::Write(Name() + ": SendProcessMessage(" + (toRender ? "PID_RENDERER" : "PID_BROWSER") + ", " +
                   copy->Describe() + ")");
    CefRefPtr<Browser> self = this;
    if (toRender) return runtime::Render().Post([self, copy] { self->RenderReceive(copy); });
    return runtime::Ui().Post([self, copy] {
        if (self->Closed() || !self->client_) return;
        journal::Write("-> OnProcessMessageReceived(" + self->Name() + ", PID_RENDERER, " + copy->Describe() + ")");
        const bool handled = self->client_->OnProcessMessageReceived(self.get(), PID_RENDERER, copy.get());
        journal::Write(std::string("   handled: ") + (handled ? "yes" : "no"));
    });
}

HWND Browser::GetWindowHandle() {
    std::lock_guard<std::mutex> hold(lock_);
    return window_;
}

void Browser::CloseBrowser(bool force) {
    journal::Write(Name() + ": CloseBrowser(" + (force ? "force" : "no force") + ")");
    CefRefPtr<Browser> self = this;
    runtime::Ui().Post([self, force] { self->CloseNow(force); });
}

void Browser::CloseNow(bool force) {
    if (Closed()) return;
    CefRefPtr<CefLifeSpanHandler> handler = client_ ? client_->GetLifeSpanHandler() : nullptr;
    if (!force && handler) {
        journal::Write("-> DoClose(" + Name() + ")");
        if (handler->DoClose(this)) {
            journal::Write("   kept open by DoClose");
            return;
        }
    }
    HWND window = nullptr;
    {
        std::lock_guard<std::mutex> hold(lock_);
        closed_ = true;
        loading_ = false;
        window = std::exchange(window_, nullptr);
    }
    ++generation_;
    if (devToolsBrowser_) std::exchange(devToolsBrowser_, nullptr)->CloseNow(true);
    if (window) ::DestroyWindow(window);
    CefRefPtr<Browser> self = this;
    runtime::Render().Post([self] { self->RenderBrowserDestroyed(); });
    if (handler) {
        journal::Write("-> OnBeforeClose(" + Name() + ")");
        handler->OnBeforeClose(this);
    }
    runtime::RemoveBrowser(id_);
}

void Browser::SetFocus(bool focus) {
    journal::Write(Name() + ": SetFocus(" + (focus ? "true" : "false") + ")");
    CefRefPtr<Browser> self = this;
    runtime::Ui().Post([self, focus] {
        if (HWND window = self->GetWindowHandle(); window && focus) ::SetFocus(window);
    });
}

void Browser::ShowDevTools(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client, const CefBrowserSettings&,
                           const CefPoint& inspectElementAt) {
    journal::Write(Name() + ": ShowDevTools(at " + std::to_string(inspectElementAt.x) + ", " +
                   std::to_string(inspectElementAt.y) + ")");
    CefRefPtr<Browser> self = this;
    runtime::Ui().Post([self, windowInfo, client] {
        if (self->Closed() || self->devToolsBrowser_) return;
        self->devToolsBrowser_ = Create(windowInfo, client, CefString(), true);
    });
}

void Browser::CloseDevTools() {
    journal::Write(Name() + ": CloseDevTools");
    CefRefPtr<Browser> self = this;
    runtime::Ui().Post([self] {
        if (self->devToolsBrowser_) std::exchange(self->devToolsBrowser_, nullptr)->CloseNow(true);
    });
}

FrameLook Browser::Look() { return look_; }
