#include <json/json.h>

#include <memory>

#include "tools/browser_runtime/browser.h"
#include "tools/browser_runtime/journal.h"
#include "tools/browser_runtime/page_log.h"
#include "tools/browser_runtime/runtime.h"

namespace {

class DomNode final : public RefCounted<CefDOMNode> {
public:
    explicit DomNode(bool editable) : editable_(editable) {}
    bool IsEditable() override { return editable_; }

private:
    const bool editable_;
};

}  // namespace

void Browser::RenderBrowserCreated() {
    if (CefRefPtr<CefRenderProcessHandler> handler = runtime::RenderProcessHandler()) {
        journal::Write("-> OnBrowserCreated(" + Name() + ")");
        handler->OnBrowserCreated(this);
    }
}

void Browser::ReleaseContext(CefRefPtr<CefRenderProcessHandler> handler, CefRefPtr<CefFrame> frame) {
    if (!context_) return;
    // While the release is reported the frame still answers with the going context.
    if (handler) {
        journal::Write("-> OnContextReleased(" + Name() + ")");
        handler->OnContextReleased(this, frame, context_.get());
    }
    std::exchange(context_, nullptr)->Invalidate();
}

void Browser::RenderPageCommitted() {
    CefRefPtr<CefRenderProcessHandler> handler = runtime::RenderProcessHandler();
    CefRefPtr<CefFrame> frame = GetMainFrame();
    if (!frame) return;
    ReleaseContext(handler, frame);
    context_ = new ScriptContext(this, frame);
    if (handler) {
        journal::Write("-> OnContextCreated(" + Name() + ")");
        handler->OnContextCreated(this, frame, context_.get());
    }
}

void Browser::RenderBrowserDestroyed() {
    CefRefPtr<CefRenderProcessHandler> handler = runtime::RenderProcessHandler();
    CefRefPtr<CefFrame> frame = GetMainFrame();
    if (frame) ReleaseContext(handler, frame);
    if (handler) {
        journal::Write("-> OnBrowserDestroyed(" + Name() + ")");
        handler->OnBrowserDestroyed(this);
    }
    // The frame holds the browser: letting it go ends the pair once nothing else holds them.
    std::lock_guard<std::mutex> hold(lock_);
    frame_ = nullptr;
}

void Browser::RenderReceive(CefRefPtr<ProcessMessage> message) {
    CefRefPtr<CefRenderProcessHandler> handler = runtime::RenderProcessHandler();
    if (!handler || Closed()) return;
    journal::Write("-> OnProcessMessageReceived(" + Name() + ", PID_BROWSER, " + message->Describe() + ") [render]");
    const bool handled = handler->OnProcessMessageReceived(this, PID_BROWSER, message.get());
    journal::Write(std::string("   handled: ") + (handled ? "yes" : "no"));
}

void Browser::FocusNode(int editable) {
    CefRefPtr<CefRenderProcessHandler> handler = runtime::RenderProcessHandler();
    CefRefPtr<CefFrame> frame = GetMainFrame();
    if (!handler || !frame) return;
    CefRefPtr<CefDOMNode> node = editable < 0 ? nullptr : new DomNode(editable != 0);
    journal::Write("-> OnFocusedNodeChanged(" + Name() + ", " +
                   (editable < 0 ? "no node" : editable ? "editable node" : "node") + ")");
    handler->OnFocusedNodeChanged(this, frame, node);
}

void Browser::CallNative(const std::string& objectName, const std::string& functionName,
                         const std::string& argumentsJson) {
    Json::Value event;
    event["event"] = "native-call";
    event["function"] = objectName + "." + functionName;
    event["handled"] = false;
    Json::Value arguments;
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    const runtime::Extension* extension = runtime::FindExtension(objectName, functionName);
    if (!reader->parse(argumentsJson.data(), argumentsJson.data() + argumentsJson.size(), &arguments, &errors) ||
        !arguments.isArray()) {
        event["exception"] = "the driver's arguments are not a JSON array";
    } else if (!extension) {
        event["exception"] = "ReferenceError: " + objectName + " is not defined";
    } else if (!context_ || !context_->Enter()) {
        event["exception"] = "no page in the frame";
    } else {
        CefV8ValueList values;
        for (const Json::Value& argument : arguments) values.push_back(ScriptValueFromJson(argument, id_));
        CefRefPtr<CefV8Value> result;
        CefString exception;
        journal::Write("-> Execute(\"" + functionName + "\", " + JsonText(arguments) + ") [" + objectName + "]");
        const bool handled = extension->handler->Execute(functionName, context_->GetGlobal(), values, result, exception);
        context_->Exit();
        event["handled"] = handled;
        event["exception"] = exception.ToString();
        event["result"] = ScriptValueToJson(result ? result : CefV8Value::CreateUndefined());
        journal::Write(std::string("   ") + (handled ? "handled" : "not handled") +
                       (exception.empty() ? "" : ", exception: " + exception.ToString()));
    }
    page_log::Add(id_, event);
}
