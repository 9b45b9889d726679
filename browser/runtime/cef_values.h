#pragma once

#include <cstddef>

#include "browser/runtime/cef_exports.h"
#include "browser/runtime/cef_ref.h"
#include "browser/runtime/cef_string.h"
#include "browser/runtime/cef_types.h"

// A list of plain values, indexed from 0; setting past the end grows it with nulls.
class CefListValue : public virtual CefBase {
public:
    // Number of values.
    virtual std::size_t GetSize() = 0;
    // Kind of the value at index; VTYPE_NULL past the end.
    virtual CefValueType GetType(std::size_t index) = 0;
    // The bool at index; false when it is not a bool.
    virtual bool GetBool(std::size_t index) = 0;
    // The int at index; 0 when it is not an int.
    virtual int GetInt(std::size_t index) = 0;
    // The double at index (an int converts); 0 otherwise.
    virtual double GetDouble(std::size_t index) = 0;
    // The string at index; empty when it is not a string.
    virtual CefString GetString(std::size_t index) = 0;
    // Stores a bool at index.
    virtual bool SetBool(std::size_t index, bool value) = 0;
    // Stores an int at index.
    virtual bool SetInt(std::size_t index, int value) = 0;
    // Stores a double at index.
    virtual bool SetDouble(std::size_t index, double value) = 0;
    // Stores a string at index.
    virtual bool SetString(std::size_t index, const CefString& value) = 0;
};

// A named message between the browser side and the render side, made by Create (the runtime
// sends no message of another making). A sent message is copied: the sender may change or reuse
// it afterwards.
class CefProcessMessage : public virtual CefBase {
public:
    // A new, empty message with that name.
    static CefRefPtr<CefProcessMessage> Create(const CefString& name);

    // The message's name.
    virtual CefString GetName() = 0;
    // The message's arguments, changed in place.
    virtual CefRefPtr<CefListValue> GetArgumentList() = 0;
};

inline CefRefPtr<CefProcessMessage> CefProcessMessage::Create(const CefString& name) {
    return CefRefPtr<CefProcessMessage>::Adopt(cef_process_message_create(&name));
}
