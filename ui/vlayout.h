#pragma once

#include "ui/line_layout.h"

namespace ui {

// Children from top to bottom; heights stretch, widths follow the horizontal alignment.
class VLayout : public LineLayout {
public:
    VLayout() : LineLayout(LineAxis::kVertical) {}
};

}  // namespace ui
