#pragma once

#include "ui/layout.h"

namespace ui {

// Lines the children up along one axis; the room left over is shared among the children that
// stretch along it. Float children are placed as by the plain layout and take no room.
class LineLayout : public Layout {
public:
    explicit LineLayout(LineAxis axis) : axis_(axis) {}

    SIZE ArrangeChildren(const std::vector<Control*>& items, RECT rect) override;
    SIZE MeasureChildren(const std::vector<Control*>& items, SIZE available) override;

private:
    const LineAxis axis_;
};

}  // namespace ui
