#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "ui/place_holder.h"

namespace ui {

// The arithmetic of the box layouts, apart from controls and windows: each function takes what
// the layout knows of the children and returns their rectangles. The layout classes describe
// their controls with LayoutItem and apply the result.

// What a layout reads of one child.
struct LayoutItem {
    bool visible = true;
    bool isFloat = false;
    RECT margin{0, 0, 0, 0};
    int fixedWidth = kSizeStretch;
    int fixedHeight = kSizeStretch;
    int minWidth = -1;
    int minHeight = -1;
    int maxWidth = kDefaultMaxSize;
    int maxHeight = kDefaultMaxSize;
    int horAlign = kHorAlignLeft;
    int verAlign = kVerAlignTop;
    // The child's size for an available size; -1 on an axis asks for all of it.
    std::function<SIZE(SIZE available)> estimate;
    // The child's size with its width fixed at available.cx: how text that must wrap is measured.
    std::function<SIZE(SIZE available)> estimateAtWidth;
};

// Each item's rectangle (none for an item not placed) and the size the items take.
struct Arrangement {
    std::vector<std::optional<RECT>> rects;
    SIZE needed{0, 0};
};

// The estimate of a plain box with no visible child, before its padding is added.
constexpr int kNoChildrenSize = -9999;

// Raised to min, then lowered to max unless max is negative (no limit).
int ClampToLimits(int value, int min, int max);

// Places one item inside rect by its margin, size and alignment; none when it is invisible.
// Text that sizes itself (auto in both directions, maximum width -1) and is wider than the
// area is measured again at the area's width, so it wraps.
std::optional<RECT> PlaceFloat(const LayoutItem& item, RECT rect);

// Every visible item placed by PlaceFloat in the whole rect; needed is the largest of them.
Arrangement ArrangeOverlapping(const std::vector<LayoutItem>& items, RECT rect);
// The largest margin-box among the visible items plus the padding; kNoChildrenSize plus the
// padding when none is visible.
SIZE MeasureOverlapping(const std::vector<LayoutItem>& items, SIZE available, RECT padding);

// A line of items along the axis, the space left over shared among the items that stretch
// along it (the first ones take the odd pixels); float items are placed by PlaceFloat in the
// whole rect and take no space.
enum class LineAxis { kHorizontal, kVertical };
Arrangement ArrangeLine(const std::vector<LayoutItem>& items, RECT rect, int childMargin, LineAxis axis);
// The sum along the axis and the largest across it of the items in the line, plus the padding.
SIZE MeasureLine(const std::vector<LayoutItem>& items, SIZE available, int childMargin, RECT padding,
                 LineAxis axis);

}  // namespace ui
