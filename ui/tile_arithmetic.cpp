#include "ui/tile_arithmetic.h"

#include <algorithm>

namespace ui {
namespace {

// The height of the row that starts at items[first]: the tallest margin box among the next
// `columns` items in line, each estimated at the cell's width less its margins and gap.
int RowHeight(const std::vector<LayoutItem>& items, std::size_t first, int cellWidth, int childMargin, int columns) {
    int height = 0;
    int inRow = 0;
    for (std::size_t i = first; i < items.size() && inRow < columns; ++i) {
        const LayoutItem& item = items[i];
        if (!item.visible || item.isFloat) continue;
        // Cells at the row's ends keep half a margin to the box's edge.
        const bool atEnd = inRow == 0 || (inRow + 1) % columns == 0;
        const int gap = atEnd ? childMargin / 2 : childMargin;
        const int width = ClampToLimits(cellWidth - item.margin.left - item.margin.right - gap, item.minWidth,
                                        item.maxWidth);
        const SIZE size = item.estimate(SIZE{width, 9999});
        height = std::max<int>(height, item.margin.top + item.margin.bottom +
                                           ClampToLimits(size.cy, item.minHeight, item.maxHeight));
        ++inRow;
    }
    return height;
}

}  // namespace

int TileColumns(int width, int itemWidth, int columns) {
    if (itemWidth >= 1) columns = width / itemWidth;
    return std::max(columns, 1);
}

Arrangement ArrangeTiles(const std::vector<LayoutItem>& items, RECT rect, int childMargin, int columns) {
    columns = std::max(columns, 1);
    const int width = rect.right - rect.left;
    const int cellWidth = width / columns;
    const int spare = width - columns * cellWidth;
    const int halfMargin = childMargin / 2;

    Arrangement result;
    result.rects.resize(items.size());
    int x = rect.left;
    int rowTop = rect.top;
    int rowHeight = 0;
    int rowSpare = spare;
    int placed = 0;
    int bottom = rect.top;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const LayoutItem& item = items[i];
        if (!item.visible) continue;
        if (item.isFloat) {
            result.rects[i] = PlaceFloat(item, rect);
            continue;
        }
        int cellRight = x + cellWidth;
        if (rowSpare > 0) {
            ++cellRight;
            --rowSpare;
        }
        if (placed % columns == 0) rowHeight = RowHeight(items, i, cellRight - x, childMargin, columns);
        const RECT cell{x + halfMargin + item.margin.left, rowTop + item.margin.top,
                        cellRight - halfMargin - item.margin.right, rowTop + rowHeight};
        const SIZE cellSize{cell.right - cell.left, cell.bottom - cell.top};
        const SIZE size = item.estimate(cellSize);
        const int childWidth = ClampToLimits(size.cx == kSizeStretch ? cellSize.cx : size.cx, item.minWidth,
                                             item.maxWidth);
        const int childHeight = ClampToLimits(size.cy == kSizeStretch ? cellSize.cy : size.cy, item.minHeight,
                                              item.maxHeight);
        const int left = (cell.left - childWidth + cell.right) / 2;
        const int top = (cell.top - childHeight + cell.bottom) / 2;
        result.rects[i] = RECT{left, top, left + childWidth, top + childHeight};
        bottom = rowTop + rowHeight;
        ++placed;
        x = cellRight;
        if (placed % columns == 0) {
            rowTop += childMargin + rowHeight;
            rowHeight = 0;
            rowSpare = spare;
            x = rect.left;
        }
    }
    result.needed = SIZE{width, bottom - rect.top};
    return result;
}

TileMeasure MeasureTiles(const TileMeasureInput& input) {
    // A box that stretches or sizes itself has no width of its own yet: what it is offered stands in.
    const bool ownWidth = input.ownerFixedWidth >= 0;
    TileMeasure result;
    result.columns = TileColumns(ownWidth ? input.ownerFixedWidth : input.available.cx, input.itemWidth, input.columns);
    result.size.cx = ownWidth ? input.ownerFixedWidth : input.available.cx + input.padding.left + input.padding.right;
    if (input.visibleCount > 0) {
        const int rows = (input.visibleCount + result.columns - 1) / result.columns;
        result.size.cy = rows * input.firstChildFixedHeight + (rows - 1) * input.childMargin + input.padding.top +
                         input.padding.bottom;
    }
    return result;
}

}  // namespace ui
