#pragma once

#include <json/value.h>

namespace ui {
class Control;
}

namespace skin_render {

// A control and everything below it, children in tree order: "class" (the skin class name of
// the builder's table, else the C++ class name), "name", "rect" (left, top, right, bottom in
// the window's client pixels, the shadow included), "visible", "text" for text controls (the
// literal text, else the language text), and "children" for boxes.
Json::Value DescribeControlTree(const ui::Control& control);

}  // namespace skin_render
