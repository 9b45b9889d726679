#pragma once

#include <windows.h>

#include <vector>

#include "ui/layout_arithmetic.h"

namespace ui {

// The grid of the tile layout: equal cells row by row, each row as tall as its tallest child.

// The column count for a width: width / itemWidth when an item width is set, else columns;
// never below 1.
int TileColumns(int width, int itemWidth, int columns);

// Places the visible items in cells of rect's width / columns (the first cells of each row take
// the odd pixels), each centred in its cell; float items are placed by PlaceFloat in the whole
// rect and take no cell. needed is (rect width, bottom of the last row - rect top).
Arrangement ArrangeTiles(const std::vector<LayoutItem>& items, RECT rect, int childMargin, int columns);

struct TileMeasureInput {
    int ownerFixedWidth = kSizeStretch;  // the box's own width; negative while it has none
    SIZE available{0, 0};                // less the padding
    RECT padding{0, 0, 0, 0};
    int itemWidth = 0;
    int columns = 1;
    int visibleCount = 0;                // float children included
    int firstChildFixedHeight = 0;       // every row is taken to be this tall
    int childMargin = 0;
};

struct TileMeasure {
    SIZE size{0, 0};
    int columns = 1;
};

// The size a tile box needs, and the column count it found.
TileMeasure MeasureTiles(const TileMeasureInput& input);

}  // namespace ui
