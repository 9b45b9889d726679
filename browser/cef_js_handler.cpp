#include "browser/cef_js_handler.h"

#include "browser/cef_js_bridge.h"

namespace zel_comp {
namespace {

constexpr wchar_t kInvalidArguments[] = L"Invalid arguments.";

bool IsString(const CefRefPtr<CefV8Value>& value) {
    return value && value->IsString();
}

bool IsFunction(const CefRefPtr<CefV8Value>& value) {
    return value && value->IsFunction();
}

}  // namespace

bool CefJSHandler::Execute(const CefString& name, CefRefPtr<CefV8Value>, const CefV8ValueList& arguments,
                           CefRefPtr<CefV8Value>&, CefString& exception) {
    if (arguments.size() < 2) {
        exception = kInvalidArguments;
        return false;
    }
    if (name == CefString(L"call")) return Call(arguments, exception);
    if (name == CefString(L"register")) return Register(arguments, exception);
    return false;
}

bool CefJSHandler::Call(const CefV8ValueList& arguments, CefString& exception) {
    CefString parameters(L"{}");
    CefRefPtr<CefV8Value> callback;
    if (IsString(arguments[0]) && IsFunction(arguments[1])) {
        callback = arguments[1];
    } else if (IsString(arguments[0]) && IsString(arguments[1]) && arguments.size() > 2 && IsFunction(arguments[2])) {
        parameters = arguments[1]->GetStringValue();
        callback = arguments[2];
    } else {
        exception = kInvalidArguments;
        return false;
    }
    const CefString functionName = arguments[0]->GetStringValue();
    if (!bridge_ || !bridge_->SendCallCppFunction(functionName, parameters, callback)) {
        // The page's name is data: it is appended, never used as a format.
        exception = L"Failed to call function " + functionName.ToWString() + L".";
        return false;
    }
    return true;
}

bool CefJSHandler::Register(const CefV8ValueList& arguments, CefString& exception) {
    if (!IsString(arguments[0]) || !IsFunction(arguments[1])) {
        exception = kInvalidArguments;
        return false;
    }
    if (!bridge_ || !bridge_->RegisterJsFunction(arguments[0]->GetStringValue(), arguments[1])) {
        exception = L"Failed to register function.";
        return false;
    }
    return true;
}

}  // namespace zel_comp
