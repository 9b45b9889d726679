#include <memory>

#include "tools/browser_runtime/browser.h"
#include "tools/browser_runtime/http_fetch.h"
#include "tools/browser_runtime/journal.h"
#include "tools/browser_runtime/page_document.h"
#include "tools/browser_runtime/request.h"
#include "tools/browser_runtime/runtime.h"

namespace {

// The largest page the stand-in reads.
constexpr std::size_t kMaxPageBytes = 16 << 20;

bool StartsWith(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

void Browser::Navigate(const CefString& url) {
    if (Closed()) return;
    const int generation = ++generation_;
    CefRefPtr<CefFrame> frame = GetMainFrame();
    CefRefPtr<CefRequestHandler> requests = client_ ? client_->GetRequestHandler() : nullptr;
    CefRefPtr<Request> request = new Request(url);
    if (requests) {
        journal::Write("-> OnBeforeBrowse(" + Name() + ", " + url.ToString() + ")");
        if (requests->OnBeforeBrowse(this, frame, request.get(), false)) {
            journal::Write("   navigation cancelled");
            return;
        }
    }
    const std::wstring& text = url.ToWString();
    if (!StartsWith(text, L"http://") && !StartsWith(text, L"https://") && text != L"about:blank") {
        bool allowOsExecution = false;
        if (requests) {
            journal::Write("-> OnProtocolExecution(" + Name() + ", " + url.ToString() + ")");
            requests->OnProtocolExecution(this, url, allowOsExecution);
        }
        journal::Write(std::string("   not loaded (unknown scheme); handing it to the system: ") +
                       (allowOsExecution ? "allowed (the stand-in does not)" : "no"));
        return;
    }
    SetLoading(true);
    if (!requests) {
        StartLoad(url, generation);
        return;
    }
    CefRefPtr<Browser> self = this;
    CefRefPtr<RequestCallback> callback = new RequestCallback([self, url, generation](bool allow) {
        runtime::Ui().Post([self, url, generation, allow] {
            if (allow)
                self->StartLoad(url, generation);
            else
                self->FailLoad(generation, ERR_ABORTED, "cancelled by the request handler", url);
        });
    });
    journal::Write("-> OnBeforeResourceLoad(" + Name() + ", " + url.ToString() + ")");
    const CefReturnValue answer = requests->OnBeforeResourceLoad(this, frame, request.get(), callback.get());
    journal::Write("   answer: " + std::to_string(answer));
    if (answer == RV_CONTINUE)
        callback->Continue(true);
    else if (answer == RV_CANCEL)
        callback->Cancel();
}

void Browser::StartLoad(const CefString& url, int generation) {
    if (generation != generation_ || Closed()) return;
    if (url.ToWString() == L"about:blank") {
        FinishLoad(generation, url, 200, FrameLook{0xFFFFFF, look_.transparent, L""});
        return;
    }
    CefRefPtr<Browser> self = this;
    const std::string target = url.ToString();
    runtime::Io().Post([self, target, generation] { self->FetchPage(target, generation); });
}

void Browser::FetchPage(const std::string& url, int generation) {
    journal::Write(Name() + ": GET " + url);
    auto body = std::make_shared<std::string>();
    FetchRequest request;
    request.url = url;
    request.userAgent = runtime::GetOptions().userAgent;
    request.acceptLanguage = runtime::GetOptions().locale;
    request.sink = [body](const char* data, std::size_t size) {
        if (body->size() + size > kMaxPageBytes) return false;
        body->append(data, size);
        return true;
    };
    request.abort = &runtime::StopFlag();
    const FetchResult result = Fetch(request);
    journal::Write(Name() + ": " + (result.ok ? "HTTP " + std::to_string(result.status) + ", " +
                                                    std::to_string(body->size()) + " bytes"
                                              : "failed: " + result.error));
    CefRefPtr<Browser> self = this;
    runtime::Ui().Post([self, generation, result, body] {
        self->PageArrived(generation, result.ok, result.status, result.finalUrl, *body, result.error);
    });
}

void Browser::PageArrived(int generation, bool ok, long status, const std::string& finalUrl, const std::string& body,
                          const std::string& error) {
    if (generation != generation_ || Closed()) return;
    if (!ok) {
        FailLoad(generation, ERR_FAILED, error, CefString(finalUrl));
        return;
    }
    const PageDocument document = ParsePageDocument(body);
    FrameLook look{document.background.value_or(0xFFFFFF), look_.transparent && !document.background,
                   document.title.empty() ? CefString(finalUrl).ToWString() : document.title};
    FinishLoad(generation, CefString(finalUrl), static_cast<int>(status), look);
}

void Browser::FinishLoad(int generation, const CefString& url, int status, const FrameLook& look) {
    if (generation != generation_ || Closed()) return;
    CefRefPtr<CefFrame> frame = GetMainFrame();
    if (!frame) return;
    frame_->SetURL(url);
    if (history_.empty() || !(history_.back() == url)) history_.push_back(url);
    look_ = look;
    CefRefPtr<Browser> self = this;
    runtime::Render().Post([self] { self->RenderPageCommitted(); });
    CefRefPtr<CefDisplayHandler> display = client_ ? client_->GetDisplayHandler() : nullptr;
    CefRefPtr<CefLoadHandler> load = client_ ? client_->GetLoadHandler() : nullptr;
    if (display) {
        journal::Write("-> OnAddressChange(" + Name() + ", " + url.ToString() + ")");
        display->OnAddressChange(this, frame, url);
    }
    if (load) {
        journal::Write("-> OnLoadStart(" + Name() + ")");
        load->OnLoadStart(this, frame);
    }
    if (display) {
        journal::Write("-> OnTitleChange(" + Name() + ", " + CefString(look.title).ToString() + ")");
        display->OnTitleChange(this, look.title);
    }
    PaintView();
    if (load) {
        journal::Write("-> OnLoadEnd(" + Name() + ", " + std::to_string(status) + ")");
        load->OnLoadEnd(this, frame, status);
    }
    SetLoading(false);
}

void Browser::FailLoad(int generation, CefErrorCode code, const std::string& text, const CefString& url) {
    if (generation != generation_ || Closed()) return;
    if (CefRefPtr<CefLoadHandler> load = client_ ? client_->GetLoadHandler() : nullptr) {
        journal::Write("-> OnLoadError(" + Name() + ", " + std::to_string(code) + ", " + text + ", " + url.ToString() + ")");
        load->OnLoadError(this, GetMainFrame(), code, text, url);
    }
    SetLoading(false);
}

void Browser::SetLoading(bool loading) {
    {
        std::lock_guard<std::mutex> hold(lock_);
        loading_ = loading;
    }
    if (CefRefPtr<CefLoadHandler> load = client_ ? client_->GetLoadHandler() : nullptr) {
        const bool canGoBack = history_.size() > 1;
        journal::Write("-> OnLoadingStateChange(" + Name() + ", " + (loading ? "loading" : "not loading") + ")");
        load->OnLoadingStateChange(this, loading, canGoBack, false);
    }
}
