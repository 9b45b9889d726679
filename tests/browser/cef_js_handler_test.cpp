#include "browser/cef_js_handler.h"

#include <gtest/gtest.h>

#include "browser/cef_js_bridge.h"
#include "tests/browser/fake_runtime.h"

namespace {

// A page's string or function argument.
class FakeValue : public CefV8Value, public zel_comp::RefCounted<FakeValue> {
public:
    static CefRefPtr<CefV8Value> String(const std::wstring& text) { return new FakeValue(false, text); }
    static CefRefPtr<CefV8Value> Function() { return new FakeValue(true, L""); }

    bool IsUndefined() override { return false; }
    bool IsNull() override { return false; }
    bool IsBool() override { return false; }
    bool IsInt() override { return false; }
    bool IsDouble() override { return false; }
    bool IsString() override { return !function_; }
    bool IsObject() override { return function_; }
    bool IsArray() override { return false; }
    bool IsFunction() override { return function_; }
    bool IsSame(CefRefPtr<CefV8Value> that) override { return that.get() == this; }
    bool GetBoolValue() override { return false; }
    std::int32_t GetIntValue() override { return 0; }
    double GetDoubleValue() override { return 0; }
    CefString GetStringValue() override { return text_; }
    CefRefPtr<CefV8Value> GetValue(const CefString&) override { return nullptr; }
    bool SetValue(const CefString&, CefRefPtr<CefV8Value>) override { return false; }
    bool GetKeys(std::vector<CefString>&) override { return false; }
    int GetArrayLength() override { return 0; }
    CefString GetFunctionName() override { return CefString(); }
    CefRefPtr<CefV8Value> ExecuteFunction(CefRefPtr<CefV8Value>, const CefV8ValueList&) override { return nullptr; }
    CefRefPtr<CefV8Value> ExecuteFunctionWithContext(CefRefPtr<CefV8Context>, CefRefPtr<CefV8Value>,
                                                     const CefV8ValueList&) override {
        return nullptr;
    }
    CefString GetException() override { return CefString(); }

private:
    FakeValue(bool function, const std::wstring& text) : function_(function), text_(text) {}
    bool function_;
    CefString text_;
};

// Outside a page (no current context) the bridge cannot send the call, so the page gets the
// refusal naming its function: the name is data, however long and whatever it holds.
TEST(CefJSHandler, ARefusedCallNamesThePagesFunctionWhole) {
    const CefRefPtr<zel_comp::CefJSHandler> handler(
        new zel_comp::CefJSHandler(std::make_shared<zel_comp::CefJSBridge>()));
    for (const std::wstring& name : {std::wstring(L"%s%n%x%ls"), std::wstring(5000, L'f') + L"%s"}) {
        CefRefPtr<CefV8Value> result;
        CefString exception;
        EXPECT_FALSE(handler->Execute(L"call", nullptr, {FakeValue::String(name), FakeValue::Function()}, result,
                                      exception));
        EXPECT_EQ(exception.ToWString(), L"Failed to call function " + name + L".");
    }
}

}  // namespace
