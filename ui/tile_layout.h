#pragma once

#include "ui/layout.h"

namespace ui {

// A grid of equal-width cells filled row by row from the left, each row as tall as its tallest
// child. The cell width follows a column count, or the item width when one is set.
class TileLayout : public Layout {
public:
    // "itemsize" and "columns" besides the attributes of every layout.
    bool SetAttribute(const std::wstring& name, const std::wstring& value) override;
    SIZE ArrangeChildren(const std::vector<Control*>& items, RECT rect) override;
    SIZE MeasureChildren(const std::vector<Control*>& items, SIZE available) override;

    SIZE GetItemSize() const { return itemSize_; }
    // Arranges the owner when the size changed.
    void SetItemSize(SIZE size, bool scaleForDpi = true);
    int GetColumns() const { return columns_; }
    // Counts below 1 are ignored.
    void SetColumns(int columns);

private:
    int columns_ = 1;
    SIZE itemSize_{0, 0};
};

}  // namespace ui
