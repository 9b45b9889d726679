#pragma once

#include <windows.h>

#include <vector>

namespace ui {

// Where the parts of a nine-part image go: the corner insets cut the source into corners kept
// at their (DPI-scaled) size, edges stretched along one axis and a middle stretched or tiled.
// Pure arithmetic, shared by the GDI and the GDI+ drawing.

struct ImagePiece {
    RECT dest;
    RECT source;
};

struct NinePartImage {
    RECT dest;
    RECT source;
    RECT corners;        // insets in source pixels
    RECT scaledCorners;  // the same insets in destination pixels
    bool xTiled = false;
    bool yTiled = false;
};

// True when the two rectangles share at least one pixel.
bool RectsIntersect(const RECT& a, const RECT& b);

// The pieces to draw for a paint rectangle, in drawing order: the middle (one piece or its
// tiles) first, then top-left, top, top-right, left, right, bottom-left, bottom, bottom-right.
// Parts that miss the paint rectangle, and border parts whose insets are not positive, are
// left out; nothing at all when the destination misses the paint rectangle. A tiled axis whose
// source middle is not positive is stretched instead.
std::vector<ImagePiece> LayoutNinePart(const RECT& paint, const NinePartImage& image);

}  // namespace ui
