#pragma once

#include <memory>

#include "browser/ref_counted.h"
#include "browser/runtime/cef_v8.h"

namespace zel_comp {

class CefJSBridge;

// The native functions "call" and "register" behind the page object "ZelCefWebInstance":
// turns a page's call into a bridge operation, and a refusal into an exception text. Render
// side's main thread only.
class CefJSHandler : public CefV8Handler, public RefCounted<CefJSHandler> {
public:
    explicit CefJSHandler(std::shared_ptr<CefJSBridge> bridge) : bridge_(std::move(bridge)) {}
    CefJSHandler(const CefJSHandler&) = delete;
    CefJSHandler& operator=(const CefJSHandler&) = delete;

    bool Execute(const CefString& name, CefRefPtr<CefV8Value> object, const CefV8ValueList& arguments,
                 CefRefPtr<CefV8Value>& retval, CefString& exception) override;

private:
    friend class RefCounted<CefJSHandler>;
    ~CefJSHandler() override = default;

    bool Call(const CefV8ValueList& arguments, CefString& exception);
    bool Register(const CefV8ValueList& arguments, CefString& exception);

    std::shared_ptr<CefJSBridge> bridge_;
};

}  // namespace zel_comp
