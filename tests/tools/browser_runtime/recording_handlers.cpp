#include "tests/tools/browser_runtime/recording_handlers.h"

#include <chrono>

namespace {

int CurrentThreads() {
    return (CefCurrentlyOn(TID_UI) ? 1 : 0) | (CefCurrentlyOn(TID_IO) ? 2 : 0) | (CefCurrentlyOn(TID_RENDERER) ? 4 : 0);
}

}  // namespace

void Recorder::Note(const std::string& line) {
    const int threads = CurrentThreads();
    std::lock_guard<std::mutex> hold(lock_);
    lines_.push_back(line);
    threads_.emplace_back(line, threads);
    changed_.notify_all();
}

std::vector<std::string> Recorder::Lines() {
    std::lock_guard<std::mutex> hold(lock_);
    return lines_;
}

bool Recorder::WaitFor(const std::string& prefix) {
    std::unique_lock<std::mutex> hold(lock_);
    return changed_.wait_for(hold, std::chrono::seconds(10), [&] {
        for (const std::string& line : lines_)
            if (line.rfind(prefix, 0) == 0) return true;
        return false;
    });
}

bool Recorder::AllOn(const std::string& prefix, CefThreadId thread) {
    std::lock_guard<std::mutex> hold(lock_);
    for (const auto& [line, threads] : threads_)
        if (line.rfind(prefix, 0) == 0 && threads != (1 << thread)) return false;
    return true;
}

bool RecordingClient::OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefProcessId source,
                                               CefRefPtr<CefProcessMessage> message) {
    CefRefPtr<CefListValue> arguments = message->GetArgumentList();
    recorder_.Note("message " + message->GetName().ToString() + " " + std::to_string(arguments->GetInt(0)) +
                   (source == PID_RENDERER ? " from renderer" : " from browser"));
    if (message->GetName() == CefString("CallCpp")) {
        // The launcher's side of the bridge: echo the parameters back as the answer.
        CefRefPtr<CefProcessMessage> answer = CefProcessMessage::Create("Answer");
        answer->GetArgumentList()->SetInt(0, arguments->GetInt(0));
        answer->GetArgumentList()->SetString(1, arguments->GetString(1));
        browser->SendProcessMessage(PID_RENDERER, answer);
    }
    return true;
}

bool RecordingClient::OnBeforePopup(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, const CefString& targetUrl,
                                    const CefString&, CefWindowOpenDisposition, bool, const CefPopupFeatures&,
                                    CefWindowInfo&, CefRefPtr<CefClient>&, CefBrowserSettings&, bool*) {
    recorder_.Note("popup " + targetUrl.ToString());
    return cancelPopups;
}

void RecordingClient::OnAfterCreated(CefRefPtr<CefBrowser> browser) {
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (!browser_) browser_ = browser;
    }
    recorder_.Note("created " + std::to_string(browser->GetIdentifier()));
}

void RecordingClient::OnBeforeClose(CefRefPtr<CefBrowser> browser) {
    recorder_.Note("closing " + std::to_string(browser->GetIdentifier()));
}

void RecordingClient::OnLoadingStateChange(CefRefPtr<CefBrowser>, bool isLoading, bool, bool) {
    recorder_.Note(isLoading ? "loading" : "loaded");
}

void RecordingClient::OnLoadStart(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>) { recorder_.Note("load start"); }

void RecordingClient::OnLoadEnd(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, int status) {
    recorder_.Note("load end " + std::to_string(status));
}

void RecordingClient::OnLoadError(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefErrorCode code, const CefString&,
                                  const CefString& url) {
    recorder_.Note("load error " + std::to_string(code) + " " + url.ToString());
}

void RecordingClient::OnAddressChange(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, const CefString& url) {
    recorder_.Note("address " + url.ToString());
}

void RecordingClient::OnTitleChange(CefRefPtr<CefBrowser>, const CefString& title) {
    recorder_.Note("title " + title.ToString());
}

bool RecordingClient::GetViewRect(CefRefPtr<CefBrowser>, CefRect& rect) {
    rect = CefRect{0, 0, 320, 200};
    return true;
}

void RecordingClient::OnPaint(CefRefPtr<CefBrowser>, CefPaintElementType type, const std::vector<CefRect>&,
                              const void* buffer, int width, int height) {
    if (type == PET_VIEW) {
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        std::lock_guard<std::mutex> hold(lock_);
        frame_.assign(bytes, bytes + static_cast<std::size_t>(width) * height * 4);
        width_ = width;
        height_ = height;
    }
    recorder_.Note(std::string(type == PET_VIEW ? "paint view " : "paint popup ") + std::to_string(width) + "x" +
                   std::to_string(height));
}

CefReturnValue RecordingClient::OnBeforeResourceLoad(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>,
                                                     CefRefPtr<CefRequest> request, CefRefPtr<CefRequestCallback>) {
    recorder_.Note("resource " + request->GetURL().ToString());
    return resourceAnswer;
}

void RecordingClient::OnBeforeDownload(CefRefPtr<CefBrowser>, CefRefPtr<CefDownloadItem>, const CefString& suggestedName,
                                       CefRefPtr<CefBeforeDownloadCallback> callback) {
    recorder_.Note("download asked " + suggestedName.ToString());
    if (!downloadFolder.empty()) callback->Continue(downloadFolder + L"\\" + suggestedName.ToWString(), false);
}

void RecordingClient::OnDownloadUpdated(CefRefPtr<CefBrowser>, CefRefPtr<CefDownloadItem> item,
                                        CefRefPtr<CefDownloadItemCallback>) {
    if (item->IsComplete()) recorder_.Note("download complete " + std::to_string(item->GetReceivedBytes()));
    if (item->IsCanceled()) recorder_.Note("download cancelled");
}

CefRefPtr<CefBrowser> RecordingClient::Browser() {
    std::lock_guard<std::mutex> hold(lock_);
    return browser_;
}

std::vector<std::uint8_t> RecordingClient::Frame(int& width, int& height) {
    std::lock_guard<std::mutex> hold(lock_);
    width = width_;
    height = height_;
    return frame_;
}

bool RecordingClient::Release() const {
    if (!count_.Release()) return false;
    delete this;
    return true;
}

// The page object's native side: "call"(name, parameters, callback) sends "CallCpp" and keeps the
// callback until "Answer" comes.
class BridgeHandler final : public CefV8Handler {
public:
    explicit BridgeHandler(RecordingApp& app) : app_(app) {}
    bool Execute(const CefString& name, CefRefPtr<CefV8Value>, const CefV8ValueList& arguments,
                 CefRefPtr<CefV8Value>&, CefString& exception) override {
        if (!(name == CefString("call")) || arguments.size() != 3 || !arguments[2]->IsFunction()) {
            exception = "Invalid arguments.";
            return true;
        }
        CefRefPtr<CefV8Context> context = CefV8Context::GetCurrentContext();
        const int id = static_cast<int>(app_.pending_.size());
        app_.pending_.emplace_back(context, arguments[2]);
        CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create("CallCpp");
        message->GetArgumentList()->SetInt(0, id);
        message->GetArgumentList()->SetString(1, arguments[1]->GetStringValue());
        context->GetBrowser()->SendProcessMessage(PID_BROWSER, message);
        return true;
    }
    void AddRef() const override { count_.AddRef(); }
    bool Release() const override {
        if (!count_.Release()) return false;
        delete this;
        return true;
    }
    bool HasOneRef() const override { return count_.HasOneRef(); }

private:
    RecordingApp& app_;
    CefRefCount count_;
};

void RecordingApp::OnBeforeCommandLineProcessing(const CefString& processType, CefRefPtr<CefCommandLine> commandLine) {
    commandLine->AppendSwitch("disable-gpu");
    recorder_.Note("command line [" + processType.ToString() + "]");
}

void RecordingApp::OnRegisterCustomSchemes(CefRefPtr<CefSchemeRegistrar>) { recorder_.Note("schemes"); }

void RecordingApp::OnContextInitialized() {
    CefCookieManager::GetGlobalManager(nullptr)->SetSupportedSchemes({"http", "https"}, nullptr);
    recorder_.Note("context initialized");
}

void RecordingApp::OnRenderThreadCreated(CefRefPtr<CefListValue>) { recorder_.Note("render thread"); }

void RecordingApp::OnWebKitInitialized() {
    const bool registered = CefRegisterExtension("v8/test", "var Bridge = {}; native function call(name, json, callback);",
                                                 new BridgeHandler(*this));
    recorder_.Note(std::string("webkit ") + (registered ? "extension" : "no extension"));
}

void RecordingApp::OnContextCreated(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefV8Context>) {
    recorder_.Note("render context");
}

void RecordingApp::OnContextReleased(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame, CefRefPtr<CefV8Context> context) {
    CefRefPtr<CefV8Context> current = frame->GetV8Context();
    recorder_.Note(std::string("render context released, ") + (current && current->IsSame(context) ? "the frame's" : "another"));
}

void RecordingApp::OnFocusedNodeChanged(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefDOMNode> node) {
    recorder_.Note(std::string("focus ") + (!node ? "none" : node->IsEditable() ? "editable" : "plain"));
}

bool RecordingApp::OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefProcessId source,
                                            CefRefPtr<CefProcessMessage> message) {
    CefRefPtr<CefListValue> arguments = message->GetArgumentList();
    recorder_.Note("render message " + message->GetName().ToString() + " " + std::to_string(arguments->GetInt(0)) +
                   (source == PID_BROWSER ? " from browser" : " from renderer"));
    if (message->GetName() == CefString("Ping")) {
        CefRefPtr<CefProcessMessage> pong = CefProcessMessage::Create("Pong");
        pong->GetArgumentList()->SetInt(0, arguments->GetInt(0) + 1);
        browser->SendProcessMessage(PID_BROWSER, pong);
    }
    if (message->GetName() == CefString("Answer")) {
        const std::size_t id = static_cast<std::size_t>(arguments->GetInt(0));
        if (id >= pending_.size()) return false;
        auto [context, callback] = pending_[id];
        context->Enter();
        CefRefPtr<CefV8Value> parse = context->GetGlobal()->GetValue("JSON")->GetValue("parse");
        CefRefPtr<CefV8Value> parsed = parse->ExecuteFunction(nullptr, {CefV8Value::CreateString(arguments->GetString(1))});
        callback->ExecuteFunction(nullptr, {CefV8Value::CreateBool(false), parsed});
        context->Exit();
    }
    return true;
}

bool RecordingApp::Release() const {
    if (!count_.Release()) return false;
    delete this;
    return true;
}
