#include "ui/line_layout.h"

namespace ui {

SIZE LineLayout::ArrangeChildren(const std::vector<Control*>& items, RECT rect) {
    const Arrangement arrangement = ArrangeLine(DescribeItems(items), rect, childMargin_, axis_);
    ApplyArrangement(items, arrangement);
    return arrangement.needed;
}

SIZE LineLayout::MeasureChildren(const std::vector<Control*>& items, SIZE available) {
    return MeasureLine(DescribeItems(items), available, childMargin_, padding_, axis_);
}

}  // namespace ui
