#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/layout_arithmetic.h"

namespace layout_test {

// A child that always asks for the same size.
inline ui::LayoutItem Child(int width, int height) {
    ui::LayoutItem item;
    item.estimate = [width, height](SIZE) { return SIZE{width, height}; };
    return item;
}

inline std::string Describe(const std::optional<RECT>& rect) {
    if (!rect) return "none";
    return std::to_string(rect->left) + "," + std::to_string(rect->top) + "," + std::to_string(rect->right) + "," +
           std::to_string(rect->bottom);
}

inline std::vector<std::string> Describe(const ui::Arrangement& arrangement) {
    std::vector<std::string> out;
    for (const auto& rect : arrangement.rects) out.push_back(Describe(rect));
    return out;
}

}  // namespace layout_test
