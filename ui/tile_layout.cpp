#include "ui/tile_layout.h"

#include "ui/attribute_values.h"
#include "ui/box.h"
#include "ui/dpi_manager.h"
#include "ui/tile_arithmetic.h"

namespace ui {

bool TileLayout::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"itemsize") {
        SetItemSize(ParseSize(value), true);
    } else if (name == L"columns") {
        SetColumns(ParseInt(value));
    } else {
        return Layout::SetAttribute(name, value);
    }
    return true;
}

SIZE TileLayout::ArrangeChildren(const std::vector<Control*>& items, RECT rect) {
    columns_ = TileColumns(rect.right - rect.left, itemSize_.cx, columns_);
    const Arrangement arrangement = ArrangeTiles(DescribeItems(items), rect, childMargin_, columns_);
    ApplyArrangement(items, arrangement);
    return arrangement.needed;
}

SIZE TileLayout::MeasureChildren(const std::vector<Control*>& items, SIZE available) {
    TileMeasureInput input;
    input.ownerFixedWidth = owner_ ? owner_->GetFixedWidth() : kSizeStretch;
    input.available = available;
    input.padding = padding_;
    input.itemWidth = itemSize_.cx;
    input.columns = columns_;
    for (const Control* control : items) {
        if (control->IsVisible()) ++input.visibleCount;
    }
    input.firstChildFixedHeight = items.empty() ? 0 : items.front()->GetFixedHeight();
    input.childMargin = childMargin_;
    const TileMeasure measure = MeasureTiles(input);
    columns_ = measure.columns;
    return measure.size;
}

void TileLayout::SetItemSize(SIZE size, bool scaleForDpi) {
    // Only real sizes scale: zero or a negative value means no item size.
    if (scaleForDpi) {
        const DpiManager* dpi = DpiManager::GetInstance();
        if (size.cx > 0) size.cx = dpi->ScaleInt(size.cx);
        if (size.cy > 0) size.cy = dpi->ScaleInt(size.cy);
    }
    if (size.cx == itemSize_.cx && size.cy == itemSize_.cy) return;
    itemSize_ = size;
    ArrangeOwner();
}

void TileLayout::SetColumns(int columns) {
    if (columns < 1) return;
    columns_ = columns;
    ArrangeOwner();
}

}  // namespace ui
