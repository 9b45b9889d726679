#include "browser/cef_js_bridge.h"

#include <climits>

#include "base/thread_registry.h"
#include "browser/runtime/cef_values.h"

namespace zel_comp {
namespace {

constexpr char kFunctionMissing[] = "{\"message\":\"Function does not exist.\"}";

// Fills "ExecuteJsCallback" and sends it to the render side.
void SendExecuteJsCallback(CefRefPtr<CefBrowser> browser, int pageCallbackId, bool hasError, const CefString& result) {
    const CefRefPtr<CefProcessMessage> reply = CefProcessMessage::Create("ExecuteJsCallback");
    if (!reply || !browser) return;
    const CefRefPtr<CefListValue> arguments = reply->GetArgumentList();
    arguments->SetInt(0, pageCallbackId);
    arguments->SetBool(1, hasError);
    arguments->SetString(2, result);
    browser->SendProcessMessage(PID_RENDERER, reply);
}

}  // namespace

int NextPageCallbackId(int id) {
    return id == INT_MAX ? 0 : id + 1;
}

bool CefJSBridge::RegisterCppFunction(const CefString& functionName, CppFunction function, int browserId) {
    kbase::AutoLock guard(cppLock_);
    return cppFunctions_.emplace(std::make_pair(functionName, browserId), std::move(function)).second;
}

bool CefJSBridge::HandleCallCppFunction(const CefString& functionName, const CefString& parameters,
                                        int pageCallbackId, CefRefPtr<CefBrowser> browser) {
    CppFunction function;
    {
        kbase::AutoLock guard(cppLock_);
        const int browserId = browser ? browser->GetIdentifier() : kAnyBrowser;
        auto found = cppFunctions_.find({functionName, browserId});
        if (found == cppFunctions_.end()) found = cppFunctions_.find({functionName, kAnyBrowser});
        if (found != cppFunctions_.end()) function = found->second;
    }
    if (!function) {
        SendExecuteJsCallback(browser, pageCallbackId, true, kFunctionMissing);
        return false;
    }
    kbase::ThreadRegistry::GetInstance()->PostTask(0, [function, parameters, pageCallbackId, browser] {
        function(parameters.ToString(), [pageCallbackId, browser](bool hasError, const std::string& result) {
            SendExecuteJsCallback(browser, pageCallbackId, hasError, result);
        });
    });
    return true;
}

bool CefJSBridge::HandleExecuteCppCallback(int nativeCallbackId, const CefString& result) {
    CppCallback callback;
    {
        kbase::AutoLock guard(cppLock_);
        const auto found = cppCallbacks_.find(nativeCallbackId);
        if (found == cppCallbacks_.end()) return false;
        callback = std::move(found->second);
        cppCallbacks_.erase(found);
    }
    if (callback) {
        kbase::ThreadRegistry::GetInstance()->PostTask(0, [callback, text = result.ToString()] { callback(text); });
    }
    return false;
}

}  // namespace zel_comp
