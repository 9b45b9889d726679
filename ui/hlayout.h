#pragma once

#include "ui/line_layout.h"

namespace ui {

// Children from left to right; widths stretch, heights follow the vertical alignment.
class HLayout : public LineLayout {
public:
    HLayout() : LineLayout(LineAxis::kHorizontal) {}
};

}  // namespace ui
