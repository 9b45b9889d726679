#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "base/lock.h"
#include "browser/runtime/cef_browser.h"
#include "browser/runtime/cef_v8.h"

namespace zel_comp {

// Lets page scripts call launcher functions and get their results, and carries the answers of
// page functions back to the launcher. One object per browser control holds the browser half
// (launcher functions, launcher callbacks); one per render side holds the render half (page
// callbacks, page functions). The halves talk only through the process messages below.
//
// Render half: the render side's main thread only. Browser half: the runtime's UI thread,
// results delivered on thread 0.
class CefJSBridge {
public:
    // The answer a launcher function gives, from any thread, once: an error flag and JSON text.
    using ReportResult = std::function<void(bool hasError, const std::string& result)>;
    // A launcher function: its parameters as UTF-8 JSON text, and where to report.
    using CppFunction = std::function<void(const std::string& parameters, ReportResult report)>;
    using CppCallback = std::function<void(const std::string& result)>;

    // Browser id for a launcher function that every browser may call.
    static constexpr int kAnyBrowser = -1;

    CefJSBridge() = default;
    CefJSBridge(const CefJSBridge&) = delete;
    CefJSBridge& operator=(const CefJSBridge&) = delete;

    // --- render half ------------------------------------------------------------------------------
    // A page calls a launcher function with its callback: sends "CallCppFunction" through the
    // current context's browser. False, sending nothing, when the next call id is still pending.
    bool SendCallCppFunction(const CefString& functionName, const CefString& parameters,
                             CefRefPtr<CefV8Value> callback);
    // The launcher's answer ("ExecuteJsCallback"): calls the page's callback with (has error,
    // the parsed result) in its context. Unknown ids do nothing.
    void HandleExecuteJsCallback(int pageCallbackId, bool hasError, const CefString& result);
    // A page offers a function under a name, for the frame of the current context; false when
    // that frame has one of that name.
    bool RegisterJsFunction(const CefString& functionName, CefRefPtr<CefV8Value> function);
    // The launcher calls a page function ("CallJsFunction"); an object it returns goes back as
    // "ExecuteCppCallback".
    void HandleCallJsFunction(const CefString& functionName, const CefString& parameters, CefRefPtr<CefFrame> frame,
                              int nativeCallbackId);
    // A context goes: its pending page calls are dropped.
    void RemoveContextCallbacks(CefRefPtr<CefV8Context> context);
    // A frame's context goes: the page functions of that frame and context are dropped.
    void RemoveFrameFunctions(CefRefPtr<CefFrame> frame);

    // --- browser half -------------------------------------------------------------------------------
    // Offers a launcher function to pages of one browser, or of every browser (kAnyBrowser).
    // False when that name is taken for that browser.
    bool RegisterCppFunction(const CefString& functionName, CppFunction function, int browserId = kAnyBrowser);
    // A page's call ("CallCppFunction"): runs the launcher function on thread 0 and answers with
    // "ExecuteJsCallback". Without such a function answers the error at once and returns false.
    bool HandleCallCppFunction(const CefString& functionName, const CefString& parameters, int pageCallbackId,
                               CefRefPtr<CefBrowser> browser);
    // A page function's answer ("ExecuteCppCallback"): the launcher callback runs on thread 0.
    // Always false.
    bool HandleExecuteCppCallback(int nativeCallbackId, const CefString& result);

private:
    struct PageCallback {
        CefRefPtr<CefV8Context> context;
        CefRefPtr<CefV8Value> function;
    };

    // render half
    int nextPageCallbackId_ = 0;
    std::map<int, PageCallback> pageCallbacks_;
    std::map<std::pair<CefString, std::int64_t>, CefRefPtr<CefV8Value>> pageFunctions_;
    // browser half; functions may be registered on any thread
    kbase::Lock cppLock_;
    std::map<int, CppCallback> cppCallbacks_;
    std::map<std::pair<CefString, int>, CppFunction> cppFunctions_;
};

// The call id after id: counts up and wraps from the largest int to 0.
int NextPageCallbackId(int id);

}  // namespace zel_comp
