#pragma once

#include <cstdint>
#include <vector>

#include "browser/runtime/cef_exports.h"
#include "browser/runtime/cef_ref.h"
#include "browser/runtime/cef_string.h"

// Page script values on the render side. The runtime has no script engine: values are a small
// model of undefined, null, bool, int, double, string, object (named members), array and
// function, and the global object's member "JSON" offers "parse" and "stringify".

class CefBrowser;
class CefFrame;
class CefV8Value;

using CefV8ValueList = std::vector<CefRefPtr<CefV8Value>>;

// The native side of script functions (those of a registered extension, or made by
// CefV8Value::CreateFunction); called on the render side's main thread.
class CefV8Handler : public virtual CefBase {
public:
    // Runs the function called name with this object and arguments; sets retval for a result or
    // exception for an error text; false when the call was not handled.
    virtual bool Execute(const CefString& name, CefRefPtr<CefV8Value> object, const CefV8ValueList& arguments,
                         CefRefPtr<CefV8Value>& retval, CefString& exception) = 0;
};

// The script context of one frame's page; a new page gets a new context.
class CefV8Context : public virtual CefBase {
public:
    // The context the render thread has entered, or null outside of any.
    static CefRefPtr<CefV8Context> GetCurrentContext();

    // The browser of the context's frame.
    virtual CefRefPtr<CefBrowser> GetBrowser() = 0;
    // The frame whose page this context belongs to.
    virtual CefRefPtr<CefFrame> GetFrame() = 0;
    // The page's global object.
    virtual CefRefPtr<CefV8Value> GetGlobal() = 0;
    // Makes this the current context (nestable); false when the page has gone.
    virtual bool Enter() = 0;
    // Leaves the most recently entered context; false when it was not entered.
    virtual bool Exit() = 0;
    // True when both refer to the same context.
    virtual bool IsSame(CefRefPtr<CefV8Context> that) = 0;
    // False once the page of the context has gone.
    virtual bool IsValid() = 0;
};

// One script value.
class CefV8Value : public virtual CefBase {
public:
    static CefRefPtr<CefV8Value> CreateUndefined();
    static CefRefPtr<CefV8Value> CreateNull();
    static CefRefPtr<CefV8Value> CreateBool(bool value);
    static CefRefPtr<CefV8Value> CreateInt(std::int32_t value);
    static CefRefPtr<CefV8Value> CreateDouble(double value);
    static CefRefPtr<CefV8Value> CreateString(const CefString& value);
    // An object without members.
    static CefRefPtr<CefV8Value> CreateObject();
    // An array of length entries, each undefined.
    static CefRefPtr<CefV8Value> CreateArray(int length);
    // A function that calls handler with name.
    static CefRefPtr<CefV8Value> CreateFunction(const CefString& name, CefRefPtr<CefV8Handler> handler);

    virtual bool IsUndefined() = 0;
    virtual bool IsNull() = 0;
    virtual bool IsBool() = 0;
    virtual bool IsInt() = 0;
    virtual bool IsDouble() = 0;  // true for ints too
    virtual bool IsString() = 0;
    virtual bool IsObject() = 0;  // true for arrays and functions too
    virtual bool IsArray() = 0;
    virtual bool IsFunction() = 0;
    // True when both refer to the same value.
    virtual bool IsSame(CefRefPtr<CefV8Value> that) = 0;

    // The bool; false for other kinds.
    virtual bool GetBoolValue() = 0;
    // The int; 0 for other kinds.
    virtual std::int32_t GetIntValue() = 0;
    // The number; 0 for other kinds.
    virtual double GetDoubleValue() = 0;
    // The string; empty for other kinds.
    virtual CefString GetStringValue() = 0;

    // The member called key of an object, or the entry at a decimal index of an array; null
    // when absent.
    virtual CefRefPtr<CefV8Value> GetValue(const CefString& key) = 0;
    // Sets the member (or array entry); false when this is not an object.
    virtual bool SetValue(const CefString& key, CefRefPtr<CefV8Value> value) = 0;
    // The member names of an object in the order they were set (indexes of an array).
    virtual bool GetKeys(std::vector<CefString>& keys) = 0;
    // The length of an array; 0 for other kinds.
    virtual int GetArrayLength() = 0;

    // The function's name; empty for other kinds.
    virtual CefString GetFunctionName() = 0;
    // Calls the function in the current context; null when it raised an exception, which
    // GetException then holds.
    virtual CefRefPtr<CefV8Value> ExecuteFunction(CefRefPtr<CefV8Value> object, const CefV8ValueList& arguments) = 0;
    // Calls the function in context (entered for the call).
    virtual CefRefPtr<CefV8Value> ExecuteFunctionWithContext(CefRefPtr<CefV8Context> context,
                                                             CefRefPtr<CefV8Value> object,
                                                             const CefV8ValueList& arguments) = 0;
    // The exception text of the last call of this function; empty when it succeeded.
    virtual CefString GetException() = 0;
};

// Registers a script extension for every page of the render side: code declares the object and
// its native functions ("native function <name>(...)"), handler runs them. Call it from
// CefRenderProcessHandler::OnWebKitInitialized; false when name is taken.
inline bool CefRegisterExtension(const CefString& name, const CefString& code, CefRefPtr<CefV8Handler> handler);

inline bool CefRegisterExtension(const CefString& name, const CefString& code, CefRefPtr<CefV8Handler> handler) {
    return cef_register_extension(&name, &code, handler.get()) != 0;
}

inline CefRefPtr<CefV8Context> CefV8Context::GetCurrentContext() {
    return CefRefPtr<CefV8Context>::Adopt(cef_v8context_get_current_context());
}

inline CefRefPtr<CefV8Value> CefV8Value::CreateUndefined() {
    return CefRefPtr<CefV8Value>::Adopt(cef_v8value_create_undefined());
}

inline CefRefPtr<CefV8Value> CefV8Value::CreateNull() { return CefRefPtr<CefV8Value>::Adopt(cef_v8value_create_null()); }

inline CefRefPtr<CefV8Value> CefV8Value::CreateBool(bool value) {
    return CefRefPtr<CefV8Value>::Adopt(cef_v8value_create_bool(value ? 1 : 0));
}

inline CefRefPtr<CefV8Value> CefV8Value::CreateInt(std::int32_t value) {
    return CefRefPtr<CefV8Value>::Adopt(cef_v8value_create_int(value));
}

inline CefRefPtr<CefV8Value> CefV8Value::CreateDouble(double value) {
    return CefRefPtr<CefV8Value>::Adopt(cef_v8value_create_double(value));
}

inline CefRefPtr<CefV8Value> CefV8Value::CreateString(const CefString& value) {
    return CefRefPtr<CefV8Value>::Adopt(cef_v8value_create_string(&value));
}

inline CefRefPtr<CefV8Value> CefV8Value::CreateObject() {
    return CefRefPtr<CefV8Value>::Adopt(cef_v8value_create_object());
}

inline CefRefPtr<CefV8Value> CefV8Value::CreateArray(int length) {
    return CefRefPtr<CefV8Value>::Adopt(cef_v8value_create_array(length));
}

inline CefRefPtr<CefV8Value> CefV8Value::CreateFunction(const CefString& name, CefRefPtr<CefV8Handler> handler) {
    return CefRefPtr<CefV8Value>::Adopt(cef_v8value_create_function(&name, handler.get()));
}
