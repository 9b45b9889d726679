#include "tools/browser_runtime/values.h"

#include <json/json.h>

#include "tools/browser_runtime/page_log.h"

namespace {

Json::Value ToJson(const std::variant<std::monostate, bool, int, double, CefString>& value) {
    if (const bool* flag = std::get_if<bool>(&value)) return *flag;
    if (const int* number = std::get_if<int>(&value)) return *number;
    if (const double* real = std::get_if<double>(&value)) return *real;
    if (const CefString* text = std::get_if<CefString>(&value)) return text->ToString();
    return Json::Value();
}

}  // namespace

const ListValue::Value* ListValue::At(std::size_t index) { return index < values_.size() ? &values_[index] : nullptr; }

bool ListValue::Set(std::size_t index, Value value) {
    std::lock_guard<std::mutex> hold(lock_);
    if (index >= values_.size()) values_.resize(index + 1);
    values_[index] = std::move(value);
    return true;
}

std::size_t ListValue::GetSize() {
    std::lock_guard<std::mutex> hold(lock_);
    return values_.size();
}

CefValueType ListValue::GetType(std::size_t index) {
    std::lock_guard<std::mutex> hold(lock_);
    const Value* value = At(index);
    if (!value) return VTYPE_NULL;
    static constexpr CefValueType kTypes[] = {VTYPE_NULL, VTYPE_BOOL, VTYPE_INT, VTYPE_DOUBLE, VTYPE_STRING};
    return kTypes[value->index()];
}

bool ListValue::GetBool(std::size_t index) {
    std::lock_guard<std::mutex> hold(lock_);
    const Value* value = At(index);
    const bool* flag = value ? std::get_if<bool>(value) : nullptr;
    return flag && *flag;
}

int ListValue::GetInt(std::size_t index) {
    std::lock_guard<std::mutex> hold(lock_);
    const Value* value = At(index);
    const int* number = value ? std::get_if<int>(value) : nullptr;
    return number ? *number : 0;
}

double ListValue::GetDouble(std::size_t index) {
    std::lock_guard<std::mutex> hold(lock_);
    const Value* value = At(index);
    if (!value) return 0;
    if (const double* real = std::get_if<double>(value)) return *real;
    if (const int* number = std::get_if<int>(value)) return *number;
    return 0;
}

CefString ListValue::GetString(std::size_t index) {
    std::lock_guard<std::mutex> hold(lock_);
    const Value* value = At(index);
    const CefString* text = value ? std::get_if<CefString>(value) : nullptr;
    return text ? *text : CefString();
}

bool ListValue::SetBool(std::size_t index, bool value) { return Set(index, value); }
bool ListValue::SetInt(std::size_t index, int value) { return Set(index, value); }
bool ListValue::SetDouble(std::size_t index, double value) { return Set(index, value); }
bool ListValue::SetString(std::size_t index, const CefString& value) { return Set(index, value); }

CefRefPtr<ListValue> ListValue::Copy() {
    CefRefPtr<ListValue> copy = new ListValue();
    std::lock_guard<std::mutex> hold(lock_);
    copy->values_ = values_;
    return copy;
}

std::string ListValue::Describe() {
    Json::Value list(Json::arrayValue);
    {
        std::lock_guard<std::mutex> hold(lock_);
        for (const Value& value : values_) list.append(ToJson(value));
    }
    return JsonText(list);
}

ProcessMessage::ProcessMessage(CefString name, CefRefPtr<ListValue> arguments)
    : name_(std::move(name)), arguments_(std::move(arguments)) {}

CefRefPtr<ProcessMessage> ProcessMessage::Copy() { return new ProcessMessage(name_, arguments_->Copy()); }

std::string ProcessMessage::Describe() { return "\"" + name_.ToString() + "\" " + arguments_->Describe(); }
