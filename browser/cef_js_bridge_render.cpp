// The render half of the JavaScript bridge: the page's calls and callbacks, the page's
// functions. Runs on the render side's main thread only.
#include "browser/cef_js_bridge.h"

#include "browser/runtime/cef_values.h"

namespace zel_comp {
namespace {

// The member name of the global object's "JSON" in context (entered); null when missing.
CefRefPtr<CefV8Value> JsonMember(CefRefPtr<CefV8Context> context, const char* name) {
    const CefRefPtr<CefV8Value> global = context->GetGlobal();
    const CefRefPtr<CefV8Value> json = global ? global->GetValue("JSON") : nullptr;
    return json ? json->GetValue(name) : nullptr;
}

// text parsed by the page's JSON.parse in context (entered); undefined when it is rejected.
CefRefPtr<CefV8Value> ParseJson(CefRefPtr<CefV8Context> context, const CefString& text) {
    const CefRefPtr<CefV8Value> parse = JsonMember(context, "parse");
    CefRefPtr<CefV8Value> parsed = parse ? parse->ExecuteFunction(nullptr, {CefV8Value::CreateString(text)}) : nullptr;
    return parsed ? parsed : CefV8Value::CreateUndefined();
}

// Enters a context for a scope.
class ScopedContext {
public:
    explicit ScopedContext(CefRefPtr<CefV8Context> context) : context_(context), entered_(context->Enter()) {}
    ~ScopedContext() {
        if (entered_) context_->Exit();
    }
    ScopedContext(const ScopedContext&) = delete;
    ScopedContext& operator=(const ScopedContext&) = delete;
    bool entered() const { return entered_; }

private:
    CefRefPtr<CefV8Context> context_;
    bool entered_;
};

}  // namespace

bool CefJSBridge::SendCallCppFunction(const CefString& functionName, const CefString& parameters,
                                      CefRefPtr<CefV8Value> callback) {
    const int id = nextPageCallbackId_;
    if (pageCallbacks_.count(id) != 0) return false;
    const CefRefPtr<CefV8Context> context = CefV8Context::GetCurrentContext();
    const CefRefPtr<CefBrowser> browser = context ? context->GetBrowser() : nullptr;
    const CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create("CallCppFunction");
    if (!browser || !message) return false;
    const CefRefPtr<CefListValue> arguments = message->GetArgumentList();
    arguments->SetString(0, functionName);
    arguments->SetString(1, parameters);
    arguments->SetInt(2, id);
    pageCallbacks_[id] = PageCallback{context, callback};
    nextPageCallbackId_ = NextPageCallbackId(id);
    browser->SendProcessMessage(PID_BROWSER, message);
    return true;
}

void CefJSBridge::HandleExecuteJsCallback(int pageCallbackId, bool hasError, const CefString& result) {
    const auto found = pageCallbacks_.find(pageCallbackId);
    if (found == pageCallbacks_.end()) return;
    const PageCallback callback = found->second;
    if (!callback.context || !callback.function) return;
    {
        ScopedContext scope(callback.context);
        if (scope.entered()) {
            callback.function->ExecuteFunction(nullptr,
                                               {CefV8Value::CreateBool(hasError), ParseJson(callback.context, result)});
        }
    }
    pageCallbacks_.erase(pageCallbackId);
}

bool CefJSBridge::RegisterJsFunction(const CefString& functionName, CefRefPtr<CefV8Value> function) {
    const CefRefPtr<CefV8Context> context = CefV8Context::GetCurrentContext();
    const CefRefPtr<CefFrame> frame = context ? context->GetFrame() : nullptr;
    if (!frame) return false;
    return pageFunctions_.emplace(std::make_pair(functionName, frame->GetIdentifier()), function).second;
}

void CefJSBridge::HandleCallJsFunction(const CefString& functionName, const CefString& parameters,
                                       CefRefPtr<CefFrame> frame, int nativeCallbackId) {
    if (!frame) return;
    const auto found = pageFunctions_.find({functionName, frame->GetIdentifier()});
    if (found == pageFunctions_.end()) return;
    const CefRefPtr<CefV8Value> function = found->second;
    const CefRefPtr<CefV8Context> context = frame->GetV8Context();
    if (!context || !function) return;
    ScopedContext scope(context);
    if (!scope.entered()) return;
    const CefRefPtr<CefV8Value> stringify = JsonMember(context, "stringify");
    const CefRefPtr<CefV8Value> answer = function->ExecuteFunction(nullptr, {ParseJson(context, parameters)});
    if (!answer || !answer->IsObject() || !stringify) return;
    const CefRefPtr<CefV8Value> text = stringify->ExecuteFunction(nullptr, {answer});
    const CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create("ExecuteCppCallback");
    const CefRefPtr<CefBrowser> browser = frame->GetBrowser();
    if (!text || !message || !browser) return;
    message->GetArgumentList()->SetString(0, text->GetStringValue());
    message->GetArgumentList()->SetInt(1, nativeCallbackId);
    browser->SendProcessMessage(PID_BROWSER, message);
}

void CefJSBridge::RemoveContextCallbacks(CefRefPtr<CefV8Context> context) {
    if (!context) return;
    std::erase_if(pageCallbacks_, [&](const auto& entry) {
        return entry.second.context && entry.second.context->IsSame(context);
    });
}

void CefJSBridge::RemoveFrameFunctions(CefRefPtr<CefFrame> frame) {
    const CefRefPtr<CefBrowser> browser = frame ? frame->GetBrowser() : nullptr;
    const CefRefPtr<CefV8Context> released = frame ? frame->GetV8Context() : nullptr;
    if (!browser || !released) return;
    std::erase_if(pageFunctions_, [&](const auto& entry) {
        const CefRefPtr<CefFrame> owner = browser->GetFrame(entry.first.second);
        if (!owner) return false;
        const CefRefPtr<CefV8Context> context = owner->GetV8Context();
        return context && context->IsSame(released);
    });
}

}  // namespace zel_comp
