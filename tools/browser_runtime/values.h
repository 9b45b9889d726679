#pragma once

#include <mutex>
#include <string>
#include <variant>
#include <vector>

#include "browser/runtime/cef_values.h"
#include "tools/browser_runtime/ref_counted.h"

// A list of plain values, as process messages carry them.
class ListValue final : public RefCounted<CefListValue> {
public:
    std::size_t GetSize() override;
    CefValueType GetType(std::size_t index) override;
    bool GetBool(std::size_t index) override;
    int GetInt(std::size_t index) override;
    double GetDouble(std::size_t index) override;
    CefString GetString(std::size_t index) override;
    bool SetBool(std::size_t index, bool value) override;
    bool SetInt(std::size_t index, int value) override;
    bool SetDouble(std::size_t index, double value) override;
    bool SetString(std::size_t index, const CefString& value) override;

    // A copy that shares nothing with this list.
    CefRefPtr<ListValue> Copy();
    // The values as JSON text, for the journal.
    std::string Describe();

private:
    using Value = std::variant<std::monostate, bool, int, double, CefString>;
    const Value* At(std::size_t index);
    bool Set(std::size_t index, Value value);

    std::mutex lock_;
    std::vector<Value> values_;
};

class ProcessMessage final : public RefCounted<CefProcessMessage> {
public:
    explicit ProcessMessage(CefString name, CefRefPtr<ListValue> arguments = new ListValue());
    CefString GetName() override { return name_; }
    CefRefPtr<CefListValue> GetArgumentList() override { return arguments_; }

    // A copy as the receiving side gets it.
    CefRefPtr<ProcessMessage> Copy();
    // Name and arguments, for the journal.
    std::string Describe();

private:
    const CefString name_;
    const CefRefPtr<ListValue> arguments_;
};
