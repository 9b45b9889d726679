#include "tools/browser_runtime/script_values.h"

#include <cmath>
#include <memory>
#include <sstream>

#include "tools/browser_runtime/journal.h"
#include "tools/browser_runtime/page_log.h"

namespace {

thread_local std::vector<CefRefPtr<ScriptContext>> enteredContexts;

// Limits of JSON read from a page's text, as a page's parser has them too.
constexpr int kMaxJsonDepth = 200;

// A function of the page itself (made by the test driver): logs its calls and returns a set value.
class PageFunction final : public RefCounted<CefV8Handler> {
public:
    PageFunction(std::string label, Json::Value returns, int browserId)
        : label_(std::move(label)), returns_(std::move(returns)), browserId_(browserId) {}

    bool Execute(const CefString&, CefRefPtr<CefV8Value>, const CefV8ValueList& arguments,
                 CefRefPtr<CefV8Value>& retval, CefString&) override {
        Json::Value event;
        event["event"] = "function-called";
        event["label"] = label_;
        event["arguments"] = Json::Value(Json::arrayValue);
        for (const auto& argument : arguments) event["arguments"].append(ScriptValueToJson(argument));
        journal::Write("page function " + label_ + " called with " + JsonText(event["arguments"]));
        page_log::Add(browserId_, event);
        retval = returns_.isNull() && !hasNullReturn_ ? CefV8Value::CreateUndefined()
                                                       : ScriptValueFromJson(returns_, browserId_);
        return true;
    }
    void SetReturnsNull() { hasNullReturn_ = true; }

private:
    const std::string label_;
    const Json::Value returns_;
    const int browserId_;
    bool hasNullReturn_ = false;
};

// The page's "JSON" object: parse and stringify over the value model.
class JsonFunctions final : public RefCounted<CefV8Handler> {
public:
    bool Execute(const CefString& name, CefRefPtr<CefV8Value>, const CefV8ValueList& arguments,
                 CefRefPtr<CefV8Value>& retval, CefString& exception) override {
        if (name == CefString("parse")) {
            const std::string text = arguments.empty() ? "undefined" : arguments[0]->GetStringValue().ToString();
            Json::CharReaderBuilder builder;
            builder["strictRoot"] = false;
            builder["stackLimit"] = kMaxJsonDepth;
            builder["rejectDupKeys"] = false;
            builder["allowSpecialFloats"] = false;
            std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
            Json::Value parsed;
            std::string errors;
            if (arguments.empty() || !arguments[0]->IsString() ||
                !reader->parse(text.data(), text.data() + text.size(), &parsed, &errors)) {
                exception = "SyntaxError: Unexpected token in JSON";
                return true;
            }
            retval = ScriptValueFromJson(parsed, 0);
            return true;
        }
        if (name == CefString("stringify")) {
            if (arguments.empty() || arguments[0]->IsUndefined() || arguments[0]->IsFunction()) {
                retval = CefV8Value::CreateUndefined();
                return true;
            }
            retval = CefV8Value::CreateString(JsonText(ScriptValueToJson(arguments[0])));
            return true;
        }
        return false;
    }
};

CefRefPtr<CefV8Value> MakeGlobal() {
    CefRefPtr<CefV8Handler> functions = new JsonFunctions();
    CefRefPtr<CefV8Value> json = CefV8Value::CreateObject();
    json->SetValue("parse", CefV8Value::CreateFunction("parse", functions));
    json->SetValue("stringify", CefV8Value::CreateFunction("stringify", functions));
    CefRefPtr<CefV8Value> global = CefV8Value::CreateObject();
    global->SetValue("JSON", json);
    return global;
}

// The index an array key names, or -1.
int ArrayIndex(const CefString& key) {
    const std::wstring& text = key.ToWString();
    if (text.empty() || text.size() > 9) return -1;
    int index = 0;
    for (wchar_t digit : text) {
        if (digit < L'0' || digit > L'9') return -1;
        index = index * 10 + (digit - L'0');
    }
    return index;
}

}  // namespace

CefRefPtr<ScriptValue> ScriptValue::Bool(bool value) {
    CefRefPtr<ScriptValue> made = new ScriptValue(Kind::Bool);
    made->bool_ = value;
    return made;
}

CefRefPtr<ScriptValue> ScriptValue::Int(std::int32_t value) {
    CefRefPtr<ScriptValue> made = new ScriptValue(Kind::Int);
    made->int_ = value;
    return made;
}

CefRefPtr<ScriptValue> ScriptValue::Double(double value) {
    CefRefPtr<ScriptValue> made = new ScriptValue(Kind::Double);
    made->double_ = value;
    return made;
}

CefRefPtr<ScriptValue> ScriptValue::String(const CefString& value) {
    CefRefPtr<ScriptValue> made = new ScriptValue(Kind::String);
    made->string_ = value;
    return made;
}

CefRefPtr<ScriptValue> ScriptValue::Function(const CefString& name, CefRefPtr<CefV8Handler> handler) {
    CefRefPtr<ScriptValue> made = new ScriptValue(Kind::Function);
    made->string_ = name;
    made->handler_ = std::move(handler);
    return made;
}

double ScriptValue::GetDoubleValue() {
    if (kind_ == Kind::Int) return int_;
    return kind_ == Kind::Double ? double_ : 0;
}

CefRefPtr<CefV8Value> ScriptValue::GetValue(const CefString& key) {
    if (kind_ == Kind::Array) {
        const int index = ArrayIndex(key);
        return index >= 0 && index < static_cast<int>(entries_.size()) ? entries_[index] : nullptr;
    }
    for (const auto& [name, value] : members_)
        if (name == key) return value;
    return nullptr;
}

bool ScriptValue::SetValue(const CefString& key, CefRefPtr<CefV8Value> value) {
    if (!IsObject() || !value) return false;
    if (kind_ == Kind::Array) {
        const int index = ArrayIndex(key);
        if (index < 0) return false;
        if (index >= static_cast<int>(entries_.size())) entries_.resize(index + 1, CefV8Value::CreateUndefined());
        entries_[index] = value;
        return true;
    }
    for (auto& [name, member] : members_)
        if (name == key) {
            member = value;
            return true;
        }
    members_.emplace_back(key, value);
    return true;
}

bool ScriptValue::GetKeys(std::vector<CefString>& keys) {
    if (!IsObject()) return false;
    keys.clear();
    if (kind_ == Kind::Array)
        for (std::size_t index = 0; index < entries_.size(); ++index) keys.emplace_back(std::to_wstring(index).c_str());
    else
        for (const auto& member : members_) keys.push_back(member.first);
    return true;
}

int ScriptValue::GetArrayLength() { return kind_ == Kind::Array ? static_cast<int>(entries_.size()) : 0; }

CefRefPtr<CefV8Value> ScriptValue::ExecuteFunction(CefRefPtr<CefV8Value> object, const CefV8ValueList& arguments) {
    exception_ = CefString();
    if (kind_ != Kind::Function || !handler_) {
        exception_ = "TypeError: not a function";
        return nullptr;
    }
    CefRefPtr<CefV8Value> result;
    CefString exception;
    const bool handled = handler_->Execute(string_, object ? object : CefV8Value::CreateUndefined(), arguments,
                                           result, exception);
    if (!exception.empty()) {
        exception_ = exception;
        return nullptr;
    }
    return handled && result ? result : CefV8Value::CreateUndefined();
}

CefRefPtr<CefV8Value> ScriptValue::ExecuteFunctionWithContext(CefRefPtr<CefV8Context> context,
                                                              CefRefPtr<CefV8Value> object,
                                                              const CefV8ValueList& arguments) {
    if (!context || !context->Enter()) {
        exception_ = "the context has gone";
        return nullptr;
    }
    CefRefPtr<CefV8Value> result = ExecuteFunction(object, arguments);
    context->Exit();
    return result;
}

ScriptContext::ScriptContext(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame)
    : browser_(std::move(browser)), frame_(std::move(frame)), global_(MakeGlobal()) {}

bool ScriptContext::Enter() {
    if (!valid_) return false;
    enteredContexts.push_back(this);
    return true;
}

bool ScriptContext::Exit() {
    if (enteredContexts.empty() || enteredContexts.back().get() != this) return false;
    enteredContexts.pop_back();
    return true;
}

CefRefPtr<ScriptContext> ScriptContext::Current() {
    return enteredContexts.empty() ? nullptr : enteredContexts.back();
}

CefRefPtr<CefV8Value> ScriptValueFromJson(const Json::Value& json, int browserId) {
    switch (json.type()) {
    case Json::nullValue:
        return CefV8Value::CreateNull();
    case Json::booleanValue:
        return ScriptValue::Bool(json.asBool());
    case Json::intValue:
    case Json::uintValue:
        if (json.isInt()) return ScriptValue::Int(json.asInt());
        return ScriptValue::Double(json.asDouble());
    case Json::realValue:
        return ScriptValue::Double(json.asDouble());
    case Json::stringValue:
        return ScriptValue::String(CefString(json.asString()));
    case Json::arrayValue: {
        CefRefPtr<CefV8Value> array = CefV8Value::CreateArray(0);
        for (Json::ArrayIndex index = 0; index < json.size(); ++index)
            array->SetValue(std::to_wstring(index), ScriptValueFromJson(json[index], browserId));
        return array;
    }
    case Json::objectValue:
        break;
    }
    if (browserId != 0 && json.isMember("$function") && json["$function"].isString()) {
        CefRefPtr<PageFunction> handler = new PageFunction(json["$function"].asString(), json["returns"], browserId);
        if (json.isMember("returns") && json["returns"].isNull()) handler->SetReturnsNull();
        return CefV8Value::CreateFunction(CefString(json["$function"].asString()), handler);
    }
    CefRefPtr<CefV8Value> object = CefV8Value::CreateObject();
    for (const std::string& name : json.getMemberNames())
        object->SetValue(CefString(name), ScriptValueFromJson(json[name], browserId));
    return object;
}

Json::Value ScriptValueToJson(CefRefPtr<CefV8Value> value) {
    if (!value || value->IsUndefined()) {
        Json::Value marker;
        marker["$undefined"] = true;
        return marker;
    }
    if (value->IsNull()) return Json::Value();
    if (value->IsBool()) return value->GetBoolValue();
    if (value->IsInt()) return value->GetIntValue();
    if (value->IsDouble()) {
        const double number = value->GetDoubleValue();
        return std::isfinite(number) ? Json::Value(number) : Json::Value();
    }
    if (value->IsString()) return value->GetStringValue().ToString();
    if (value->IsFunction()) {
        Json::Value marker;
        marker["$function"] = value->GetFunctionName().ToString();
        return marker;
    }
    std::vector<CefString> keys;
    value->GetKeys(keys);
    Json::Value json(value->IsArray() ? Json::arrayValue : Json::objectValue);
    for (const CefString& key : keys) {
        CefRefPtr<CefV8Value> member = value->GetValue(key);
        if (value->IsArray()) {
            json.append(member && !member->IsUndefined() && !member->IsFunction() ? ScriptValueToJson(member)
                                                                                   : Json::Value());
        } else if (member && !member->IsUndefined() && !member->IsFunction()) {
            json[key.ToString()] = ScriptValueToJson(member);
        }
    }
    return json;
}
