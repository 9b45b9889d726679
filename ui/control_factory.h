#pragma once

#include <functional>
#include <memory>
#include <string>

namespace ui {

class Control;

// Asked by the window builder for a skin element name it does not know; null when the name is
// not a control class of the asker either. The control returned belongs to the builder.
using CreateControlCallback = std::function<Control*(const std::wstring& className)>;

// A new control of a skin class name (exact, case-sensitive); null for a name outside the
// framework's table.
std::unique_ptr<Control> CreateControlByClass(const std::wstring& className);

// The skin class name under which the table creates a control of exactly this kind; empty for
// controls the table does not make (made by a window's callback, or by code).
std::wstring GetControlClassName(const Control& control);

}  // namespace ui
