// The render side of the application object: the page object "ZelCefWebInstance", focus
// reports and the browser side's messages. Runs on the render side's main thread only.
#include "browser/client_app.h"

#include "browser/cef_js_bridge.h"
#include "browser/cef_js_handler.h"
#include "browser/runtime/cef_values.h"

namespace zel_comp {
namespace {

// The page object: call(name, callback) or call(name, value, callback) reaches a launcher
// function; register(name, function) offers a page function to the launcher.
constexpr char kPageObjectScript[] =
    "var ZelCefWebInstance = {};"
    "(() => {"
    "ZelCefWebInstance.call = (functionName, arg1, arg2) => {"
    "if (typeof arg1 === 'function') {"
    "native function call(functionName, arg1);"
    "return call(functionName, arg1);"
    "} else {"
    "const jsonString = JSON.stringify(arg1);"
    "native function call(functionName, jsonString, arg2);"
    "return call(functionName, jsonString, arg2);"
    "}"
    "};"
    "ZelCefWebInstance.register = (functionName, callback) => {"
    "native function register(functionName, callback);"
    "return register(functionName, callback);"
    "};"
    "})();";

}  // namespace

CefJSBridge& ClientApp::RenderBridge() {
    if (!renderBridge_) renderBridge_ = std::make_shared<CefJSBridge>();
    return *renderBridge_;
}

void ClientApp::OnWebKitInitialized() {
    RenderBridge();
    CefRegisterExtension("v8/extern", kPageObjectScript, new CefJSHandler(renderBridge_));
}

void ClientApp::OnBrowserCreated(CefRefPtr<CefBrowser>) {
    RenderBridge();
}

void ClientApp::OnContextReleased(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame, CefRefPtr<CefV8Context>) {
    if (!frame) return;
    RenderBridge().RemoveContextCallbacks(frame->GetV8Context());
    RenderBridge().RemoveFrameFunctions(frame);
}

void ClientApp::OnFocusedNodeChanged(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame>, CefRefPtr<CefDOMNode> node) {
    const bool editable = node && node->IsEditable();
    if (editable == focusedNodeEditable_ || !browser) return;
    focusedNodeEditable_ = editable;
    const CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create("FocusedNodeChanged");
    if (!message) return;
    message->GetArgumentList()->SetBool(0, editable);
    browser->SendProcessMessage(PID_BROWSER, message);
}

bool ClientApp::OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefProcessId,
                                         CefRefPtr<CefProcessMessage> message) {
    if (!message) return false;
    const CefString name = message->GetName();
    const CefRefPtr<CefListValue> arguments = message->GetArgumentList();
    if (name == CefString("ExecuteJsCallback")) {
        RenderBridge().HandleExecuteJsCallback(arguments->GetInt(0), arguments->GetBool(1), arguments->GetString(2));
    } else if (name == CefString("CallJsFunction") && browser) {
        const int frameId = arguments->GetInt(3);
        const CefRefPtr<CefFrame> frame = frameId < 0 ? browser->GetMainFrame() : browser->GetFrame(frameId);
        RenderBridge().HandleCallJsFunction(arguments->GetString(0), arguments->GetString(1), frame,
                                            arguments->GetInt(2));
    }
    return false;
}

}  // namespace zel_comp
