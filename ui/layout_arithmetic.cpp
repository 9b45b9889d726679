#include "ui/layout_arithmetic.h"

#include <algorithm>
#include <utility>

namespace ui {
namespace {

// Both alignment enums read 0 start, 1 centre, 2 end.
constexpr int kAlignCenter = kHorAlignCenter;
constexpr int kAlignEnd = kHorAlignRight;
static_assert(kVerAlignCenter == kAlignCenter && kVerAlignBottom == kAlignEnd);

bool InLine(const LayoutItem& item) {
    return item.visible && !item.isFloat;
}

// Only text that sizes itself both ways and has no maximum width of its own wraps.
bool WrapsText(const LayoutItem& item) {
    return item.fixedWidth == kSizeAuto && item.fixedHeight == kSizeAuto && item.maxWidth == -1;
}

int AlignInArea(int align, int start, int end, int length) {
    switch (align) {
        case kAlignCenter: return start + (end - start - length) / 2;
        case kAlignEnd: return end - length;
        default: return start;
    }
}

// Across a line the margins enter the centring as one sum, so odd pixels fall as they do
// along every line of the skins.
int AlignAcrossLine(int align, int start, int end, int marginStart, int marginEnd, int length) {
    switch (align) {
        case kAlignCenter: return start + (marginStart + end - marginEnd - length - start) / 2;
        case kAlignEnd: return end - marginEnd - length;
        default: return start + marginStart;
    }
}

SIZE Transposed(SIZE size) {
    return SIZE{size.cy, size.cx};
}

RECT Transposed(RECT rect) {
    return RECT{rect.top, rect.left, rect.bottom, rect.right};
}

// The item as seen with x and y exchanged, so one procedure serves both line axes.
LayoutItem Transposed(const LayoutItem& item) {
    LayoutItem out;
    out.visible = item.visible;
    out.isFloat = item.isFloat;
    out.margin = Transposed(item.margin);
    out.fixedWidth = item.fixedHeight;
    out.fixedHeight = item.fixedWidth;
    out.minWidth = item.minHeight;
    out.minHeight = item.minWidth;
    out.maxWidth = item.maxHeight;
    out.maxHeight = item.maxWidth;
    out.horAlign = item.verAlign;
    out.verAlign = item.horAlign;
    out.estimate = [estimate = item.estimate](SIZE available) { return Transposed(estimate(Transposed(available))); };
    return out;
}

std::vector<LayoutItem> Transposed(const std::vector<LayoutItem>& items) {
    std::vector<LayoutItem> out;
    out.reserve(items.size());
    for (const LayoutItem& item : items) out.push_back(Transposed(item));
    return out;
}

Arrangement Transposed(Arrangement arrangement) {
    for (std::optional<RECT>& rect : arrangement.rects) {
        if (rect) rect = Transposed(*rect);
    }
    arrangement.needed = Transposed(arrangement.needed);
    return arrangement;
}

// The items in line from left to right; float and invisible items get no rectangle here.
Arrangement ArrangeRow(const std::vector<LayoutItem>& items, RECT rect, int childMargin) {
    const SIZE available{rect.right - rect.left, rect.bottom - rect.top};
    int fixedTotal = 0;
    int stretching = 0;
    int counted = 0;
    for (const LayoutItem& item : items) {
        if (!InLine(item)) continue;
        ++counted;
        fixedTotal += item.margin.left + item.margin.right;
        const SIZE size = item.estimate(available);
        if (size.cx == kSizeStretch) {
            ++stretching;
        } else {
            fixedTotal += ClampToLimits(size.cx, item.minWidth, item.maxWidth);
        }
    }
    fixedTotal += childMargin * (counted - 1);
    const int share = stretching > 0 ? std::max<int>((available.cx - fixedTotal) / stretching, 0) : 0;
    int oddPixels = available.cx - share * stretching - fixedTotal;

    Arrangement result;
    result.rects.resize(items.size());
    int x = rect.left;
    int remaining = available.cx;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const LayoutItem& item = items[i];
        if (!InLine(item)) continue;
        const RECT& margin = item.margin;
        remaining -= margin.left;
        const SIZE size = item.estimate(SIZE{remaining, available.cy});
        int width = size.cx;
        if (width == kSizeStretch) {
            width = share;
            if (oddPixels > 0) {
                ++width;
                --oddPixels;
            }
        }
        width = ClampToLimits(width, item.minWidth, item.maxWidth);
        int height = size.cy == kSizeStretch ? available.cy - margin.top - margin.bottom : size.cy;
        height = ClampToLimits(std::max(height, 0), item.minHeight, item.maxHeight);
        const int top = AlignAcrossLine(item.verAlign, rect.top, rect.bottom, margin.top, margin.bottom, height);
        result.rects[i] = RECT{x + margin.left, top, x + margin.left + width, top + height};
        x += margin.left + width + margin.right + childMargin;
        remaining -= width + margin.right + childMargin;
        result.needed.cx += margin.left + width + margin.right;
        result.needed.cy = std::max<int>(result.needed.cy, height);
    }
    result.needed.cx += childMargin * (counted - 1);
    return result;
}

SIZE MeasureRow(const std::vector<LayoutItem>& items, SIZE available, int childMargin, RECT padding) {
    int width = 0;
    int height = 0;
    int counted = 0;
    for (const LayoutItem& item : items) {
        if (!InLine(item)) continue;
        ++counted;
        const SIZE size = item.estimate(available);
        width += item.margin.left + item.margin.right + ClampToLimits(size.cx, item.minWidth, item.maxWidth);
        height = std::max<int>(height, item.margin.top + item.margin.bottom +
                                           ClampToLimits(size.cy, item.minHeight, item.maxHeight));
    }
    if (counted > 1) width += childMargin * (counted - 1);
    return SIZE{width + padding.left + padding.right, height + padding.top + padding.bottom};
}

}  // namespace

int ClampToLimits(int value, int min, int max) {
    value = std::max(value, min);
    return max >= 0 ? std::min(value, max) : value;
}

std::optional<RECT> PlaceFloat(const LayoutItem& item, RECT rect) {
    if (!item.visible) return std::nullopt;
    const RECT inner{rect.left + item.margin.left, rect.top + item.margin.top, rect.right - item.margin.right,
                     rect.bottom - item.margin.bottom};
    const SIZE available{inner.right - inner.left, inner.bottom - inner.top};
    const int usableWidth = std::max<int>(available.cx, 0);
    const int usableHeight = std::max<int>(available.cy, 0);
    SIZE size = item.estimate(available);
    if (WrapsText(item) && size.cx > usableWidth && item.estimateAtWidth) {
        size = item.estimateAtWidth(SIZE{usableWidth, available.cy});
    }
    const int width = ClampToLimits(size.cx == kSizeStretch ? usableWidth : size.cx, item.minWidth, item.maxWidth);
    const int height = ClampToLimits(size.cy == kSizeStretch ? usableHeight : size.cy, item.minHeight, item.maxHeight);
    const int left = AlignInArea(item.horAlign, inner.left, inner.right, width);
    const int top = AlignInArea(item.verAlign, inner.top, inner.bottom, height);
    return RECT{left, top, left + width, top + height};
}

Arrangement ArrangeOverlapping(const std::vector<LayoutItem>& items, RECT rect) {
    Arrangement result;
    result.rects.resize(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        result.rects[i] = PlaceFloat(items[i], rect);
        if (!result.rects[i]) continue;
        result.needed.cx = std::max<int>(result.needed.cx, result.rects[i]->right - result.rects[i]->left);
        result.needed.cy = std::max<int>(result.needed.cy, result.rects[i]->bottom - result.rects[i]->top);
    }
    return result;
}

SIZE MeasureOverlapping(const std::vector<LayoutItem>& items, SIZE available, RECT padding) {
    int width = kNoChildrenSize;
    int height = kNoChildrenSize;
    for (const LayoutItem& item : items) {
        if (!item.visible) continue;
        const SIZE size = item.estimate(available);
        width = std::max<int>(width, item.margin.left + item.margin.right +
                                         ClampToLimits(size.cx, item.minWidth, item.maxWidth));
        height = std::max<int>(height, item.margin.top + item.margin.bottom +
                                           ClampToLimits(size.cy, item.minHeight, item.maxHeight));
    }
    return SIZE{width + padding.left + padding.right, height + padding.top + padding.bottom};
}

Arrangement ArrangeLine(const std::vector<LayoutItem>& items, RECT rect, int childMargin, LineAxis axis) {
    Arrangement result = axis == LineAxis::kHorizontal
                             ? ArrangeRow(items, rect, childMargin)
                             : Transposed(ArrangeRow(Transposed(items), Transposed(rect), childMargin));
    // Float items keep their own orientation: the wrapping rule is about widths.
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].isFloat) result.rects[i] = PlaceFloat(items[i], rect);
    }
    return result;
}

SIZE MeasureLine(const std::vector<LayoutItem>& items, SIZE available, int childMargin, RECT padding,
                 LineAxis axis) {
    if (axis == LineAxis::kHorizontal) return MeasureRow(items, available, childMargin, padding);
    return Transposed(MeasureRow(Transposed(items), Transposed(available), childMargin, Transposed(padding)));
}

}  // namespace ui
