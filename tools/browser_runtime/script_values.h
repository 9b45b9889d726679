#pragma once

#include <json/json.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "browser/runtime/cef_browser.h"
#include "browser/runtime/cef_v8.h"
#include "tools/browser_runtime/ref_counted.h"

// The stand-in for page script values: a value is undefined, null, bool, int, double, string,
// object, array or function; functions run a native handler. Used on the render thread only.
class ScriptValue final : public RefCounted<CefV8Value> {
public:
    enum class Kind { Undefined, Null, Bool, Int, Double, String, Object, Array, Function };

    explicit ScriptValue(Kind kind) : kind_(kind) {}
    static CefRefPtr<ScriptValue> Bool(bool value);
    static CefRefPtr<ScriptValue> Int(std::int32_t value);
    static CefRefPtr<ScriptValue> Double(double value);
    static CefRefPtr<ScriptValue> String(const CefString& value);
    static CefRefPtr<ScriptValue> Function(const CefString& name, CefRefPtr<CefV8Handler> handler);

    bool IsUndefined() override { return kind_ == Kind::Undefined; }
    bool IsNull() override { return kind_ == Kind::Null; }
    bool IsBool() override { return kind_ == Kind::Bool; }
    bool IsInt() override { return kind_ == Kind::Int; }
    bool IsDouble() override { return kind_ == Kind::Int || kind_ == Kind::Double; }
    bool IsString() override { return kind_ == Kind::String; }
    bool IsObject() override { return kind_ == Kind::Object || kind_ == Kind::Array || kind_ == Kind::Function; }
    bool IsArray() override { return kind_ == Kind::Array; }
    bool IsFunction() override { return kind_ == Kind::Function; }
    bool IsSame(CefRefPtr<CefV8Value> that) override { return that.get() == this; }
    bool GetBoolValue() override { return kind_ == Kind::Bool && bool_; }
    std::int32_t GetIntValue() override { return kind_ == Kind::Int ? int_ : 0; }
    double GetDoubleValue() override;
    CefString GetStringValue() override { return kind_ == Kind::String ? string_ : CefString(); }
    CefRefPtr<CefV8Value> GetValue(const CefString& key) override;
    bool SetValue(const CefString& key, CefRefPtr<CefV8Value> value) override;
    bool GetKeys(std::vector<CefString>& keys) override;
    int GetArrayLength() override;
    CefString GetFunctionName() override { return kind_ == Kind::Function ? string_ : CefString(); }
    CefRefPtr<CefV8Value> ExecuteFunction(CefRefPtr<CefV8Value> object, const CefV8ValueList& arguments) override;
    CefRefPtr<CefV8Value> ExecuteFunctionWithContext(CefRefPtr<CefV8Context> context, CefRefPtr<CefV8Value> object,
                                                     const CefV8ValueList& arguments) override;
    CefString GetException() override { return exception_; }

    Kind kind() const { return kind_; }

private:
    const Kind kind_;
    bool bool_ = false;
    std::int32_t int_ = 0;
    double double_ = 0;
    CefString string_;  // the string, or the function's name
    std::vector<std::pair<CefString, CefRefPtr<CefV8Value>>> members_;  // object members in order
    std::vector<CefRefPtr<CefV8Value>> entries_;                        // array entries
    CefRefPtr<CefV8Handler> handler_;
    CefString exception_;
};

// The script context of one page of a frame: its global object (with "JSON"), entered on the
// render thread.
class ScriptContext final : public RefCounted<CefV8Context> {
public:
    ScriptContext(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame);

    CefRefPtr<CefBrowser> GetBrowser() override { return browser_; }
    CefRefPtr<CefFrame> GetFrame() override { return frame_; }
    CefRefPtr<CefV8Value> GetGlobal() override { return global_; }
    bool Enter() override;
    bool Exit() override;
    bool IsSame(CefRefPtr<CefV8Context> that) override { return that.get() == this; }
    bool IsValid() override { return valid_; }

    // The page has gone: the context can no longer be entered.
    void Invalidate() { valid_ = false; }
    // The context the render thread is in, or null.
    static CefRefPtr<ScriptContext> Current();

private:
    const CefRefPtr<CefBrowser> browser_;
    const CefRefPtr<CefFrame> frame_;
    const CefRefPtr<CefV8Value> global_;
    bool valid_ = true;
};

// Script value from JSON; {"$function": label, "returns": value} becomes a page function that
// logs its calls into the browser's page log and returns that value.
CefRefPtr<CefV8Value> ScriptValueFromJson(const Json::Value& json, int browserId);
// JSON of a script value, as the page's JSON.stringify gives it; functions and undefined members
// are left out, and a function or undefined alone is {"$function": name} or {"$undefined": true}.
Json::Value ScriptValueToJson(CefRefPtr<CefV8Value> value);
