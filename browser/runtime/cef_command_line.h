#pragma once

#include "browser/runtime/cef_ref.h"
#include "browser/runtime/cef_string.h"

// The switches a runtime process starts with ("--name" or "--name=value").
class CefCommandLine : public virtual CefBase {
public:
    // Adds "--name".
    virtual void AppendSwitch(const CefString& name) = 0;
    // Adds "--name=value".
    virtual void AppendSwitchWithValue(const CefString& name, const CefString& value) = 0;
    // True when the switch is present.
    virtual bool HasSwitch(const CefString& name) = 0;
    // The switch's value; empty when absent or without value.
    virtual CefString GetSwitchValue(const CefString& name) = 0;
    // The whole command line as one text.
    virtual CefString GetCommandLineString() = 0;
};
