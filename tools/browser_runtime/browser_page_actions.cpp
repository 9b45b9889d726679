#include <json/json.h>

#include <functional>
#include <mutex>

#include "tools/browser_runtime/browser.h"
#include "tools/browser_runtime/download.h"
#include "tools/browser_runtime/journal.h"
#include "tools/browser_runtime/page_log.h"
#include "tools/browser_runtime/runtime.h"

// What a page does on its own (as the test driver tells it), on the UI thread.

namespace {

// Logs the page's answer once, whichever way it comes.
class AnswerOnce {
public:
    explicit AnswerOnce(std::function<void(Json::Value)> log) : log_(std::move(log)) {}
    void operator()(Json::Value event) {
        std::function<void(Json::Value)> log;
        {
            std::lock_guard<std::mutex> hold(lock_);
            log = std::exchange(log_, nullptr);
        }
        if (log) log(std::move(event));
    }

private:
    std::mutex lock_;
    std::function<void(Json::Value)> log_;
};

class DialogCallback final : public RefCounted<CefJSDialogCallback> {
public:
    explicit DialogCallback(int browserId)
        : answer_([browserId](Json::Value event) { page_log::Add(browserId, std::move(event)); }) {}
    void Continue(bool success, const CefString& userInput) override {
        Json::Value event = Event(true);
        event["success"] = success;
        event["input"] = userInput.ToString();
        answer_(event);
    }
    void Drop() { answer_(Event(false)); }

private:
    static Json::Value Event(bool shown) {
        Json::Value event;
        event["event"] = "dialog";
        event["shown"] = shown;
        return event;
    }
    AnswerOnce answer_;
};

class QuotaCallback final : public RefCounted<CefRequestCallback> {
public:
    QuotaCallback(int browserId, std::int64_t bytes)
        : answer_([browserId](Json::Value event) { page_log::Add(browserId, std::move(event)); }), bytes_(bytes) {}
    void Continue(bool allow) override { Answer(allow); }
    void Cancel() override { Answer(false); }

private:
    void Answer(bool allow) {
        Json::Value event;
        event["event"] = "quota";
        event["bytes"] = static_cast<Json::Int64>(bytes_);
        event["allowed"] = allow;
        answer_(event);
    }
    AnswerOnce answer_;
    const std::int64_t bytes_;
};

class FileDialogCallback final : public RefCounted<CefFileDialogCallback> {
public:
    explicit FileDialogCallback(int browserId)
        : answer_([browserId](Json::Value event) { page_log::Add(browserId, std::move(event)); }) {}
    void Continue(int selectedAcceptFilter, const std::vector<CefString>& filePaths) override {
        Json::Value event = Event(true);
        event["filter"] = selectedAcceptFilter;
        for (const CefString& path : filePaths) event["paths"].append(path.ToString());
        answer_(event);
    }
    void Cancel() override { answer_(Event(false)); }

private:
    static Json::Value Event(bool answered) {
        Json::Value event;
        event["event"] = "file-dialog";
        event["answered"] = answered;
        event["paths"] = Json::Value(Json::arrayValue);
        return event;
    }
    AnswerOnce answer_;
};

}  // namespace

void Browser::OpenPopup(const CefString& url) {
    CefRefPtr<CefFrame> frame = GetMainFrame();
    if (Closed() || !frame) return;
    CefWindowInfo windowInfo = windowInfo_;
    CefRefPtr<CefClient> client = client_;
    CefBrowserSettings settings;
    bool noJavascriptAccess = false;
    bool cancelled = false;
    if (CefRefPtr<CefLifeSpanHandler> handler = client_ ? client_->GetLifeSpanHandler() : nullptr) {
        journal::Write("-> OnBeforePopup(" + Name() + ", " + url.ToString() + ")");
        cancelled = handler->OnBeforePopup(this, frame, url, CefString(), WOD_NEW_FOREGROUND_TAB, true, CefPopupFeatures(),
                                           windowInfo, client, settings, &noJavascriptAccess);
    }
    Json::Value event;
    event["event"] = "popup";
    event["url"] = url.ToString();
    event["created"] = !cancelled;
    page_log::Add(id_, event);
    if (cancelled) {
        journal::Write("   no popup window");
        return;
    }
    Create(windowInfo, client, url, false);
}

void Browser::RequestDownload(const CefString& url, const CefString& suggestedName) {
    if (Closed()) return;
    Json::Value event;
    event["event"] = "download";
    event["url"] = url.ToString();
    page_log::Add(id_, event);
    StartDownload(this, client_, url, suggestedName);
}

void Browser::OpenScriptDialog(CefJSDialogType type, const CefString& message) {
    if (Closed()) return;
    CefRefPtr<DialogCallback> callback = new DialogCallback(id_);
    bool suppress = false;
    bool handled = false;
    if (CefRefPtr<CefJSDialogHandler> handler = client_ ? client_->GetJSDialogHandler() : nullptr) {
        journal::Write("-> OnJSDialog(" + Name() + ", type " + std::to_string(type) + ", " + message.ToString() + ")");
        CefRefPtr<CefFrame> frame = GetMainFrame();
        handled = handler->OnJSDialog(this, frame ? frame->GetURL() : CefString(), type, message, CefString(),
                                      callback.get(), suppress);
    }
    if (handled) return;
    // The stand-in shows no dialogs of its own: a dialog not taken is dropped or cancelled.
    journal::Write(suppress ? "   dialog suppressed" : "   no dialog shown: cancelled");
    if (suppress)
        callback->Drop();
    else
        callback->Continue(false, CefString());
}

void Browser::WriteConsole(const CefString& text) {
    if (Closed()) return;
    CefRefPtr<CefFrame> frame = GetMainFrame();
    if (CefRefPtr<CefDisplayHandler> handler = client_ ? client_->GetDisplayHandler() : nullptr) {
        journal::Write("-> OnConsoleMessage(" + Name() + ")");
        if (handler->OnConsoleMessage(this, text, frame ? frame->GetURL() : CefString(), 1)) return;
    }
    journal::Write("console: " + text.ToString());
}

void Browser::RequestQuota(std::int64_t bytes) {
    if (Closed()) return;
    CefRefPtr<QuotaCallback> callback = new QuotaCallback(id_, bytes);
    bool answers = false;
    if (CefRefPtr<CefRequestHandler> handler = client_ ? client_->GetRequestHandler() : nullptr) {
        journal::Write("-> OnQuotaRequest(" + Name() + ", " + std::to_string(bytes) + ")");
        CefRefPtr<CefFrame> frame = GetMainFrame();
        answers = handler->OnQuotaRequest(this, frame ? frame->GetURL() : CefString(), bytes, callback.get());
    }
    if (!answers) callback->Continue(false);
}

void Browser::OpenFileDialog(CefFileDialogMode mode, const CefString& title) {
    if (Closed()) return;
    CefRefPtr<FileDialogCallback> callback = new FileDialogCallback(id_);
    bool answers = false;
    if (CefRefPtr<CefDialogHandler> handler = client_ ? client_->GetDialogHandler() : nullptr) {
        journal::Write("-> OnFileDialog(" + Name() + ", mode " + std::to_string(mode) + ", " + title.ToString() + ")");
        answers = handler->OnFileDialog(this, mode, title, CefString(), {}, 0, callback.get());
    }
    if (!answers) {
        journal::Write("   no file dialog of the stand-in's own: cancelled");
        callback->Cancel();
    }
}

void Browser::CrashRenderSide() {
    if (Closed()) return;
    CefRefPtr<Browser> self = this;
    // The page's script context dies with the render side; no release is reported.
    runtime::Render().PostAndWait(
        [self] {
            if (CefRefPtr<ScriptContext> old = std::exchange(self->context_, nullptr)) old->Invalidate();
        },
        10000);
    if (CefRefPtr<CefRequestHandler> handler = client_ ? client_->GetRequestHandler() : nullptr) {
        journal::Write("-> OnRenderProcessTerminated(" + Name() + ", TS_PROCESS_CRASHED)");
        handler->OnRenderProcessTerminated(this, TS_PROCESS_CRASHED);
    }
}
