#include "ui/render/nine_part_layout.h"

#include <algorithm>

namespace ui {
namespace {

LONG Width(const RECT& rect) { return rect.right - rect.left; }
LONG Height(const RECT& rect) { return rect.bottom - rect.top; }

// The tiles of the middle M from the source middle N, tileWidth and tileHeight not positive
// meaning "stretched along that axis": tiles run in rows from the top, left to right, the last
// row and column cut at M's edges and their source cut to the same size from N's top-left.
void AddTiles(const RECT& middle, const RECT& sourceMiddle, LONG tileWidth, LONG tileHeight,
              std::vector<ImagePiece>& pieces) {
    const LONG stepX = tileWidth > 0 ? tileWidth : std::max<LONG>(Width(middle), 1);
    const LONG stepY = tileHeight > 0 ? tileHeight : std::max<LONG>(Height(middle), 1);
    for (LONG top = middle.top; top < middle.bottom; top += stepY) {
        const LONG bottom = std::min(top + stepY, middle.bottom);
        const LONG sourceBottom = tileHeight > 0 ? sourceMiddle.top + (bottom - top) : sourceMiddle.bottom;
        for (LONG left = middle.left; left < middle.right; left += stepX) {
            const LONG right = std::min(left + stepX, middle.right);
            const LONG sourceRight = tileWidth > 0 ? sourceMiddle.left + (right - left) : sourceMiddle.right;
            pieces.push_back({RECT{left, top, right, bottom},
                              RECT{sourceMiddle.left, sourceMiddle.top, sourceRight, sourceBottom}});
        }
    }
}

}  // namespace

bool RectsIntersect(const RECT& a, const RECT& b) {
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

std::vector<ImagePiece> LayoutNinePart(const RECT& paint, const NinePartImage& image) {
    std::vector<ImagePiece> pieces;
    if (!RectsIntersect(image.dest, paint)) return pieces;
    const RECT& d = image.dest;
    const RECT& s = image.source;
    const RECT& c = image.corners;
    const RECT& k = image.scaledCorners;

    const RECT middle{d.left + k.left, d.top + k.top, d.right - k.right, d.bottom - k.bottom};
    const RECT sourceMiddle{s.left + c.left, s.top + c.top, s.right - c.right, s.bottom - c.bottom};
    if (RectsIntersect(middle, paint)) {
        const LONG tileWidth = image.xTiled ? Width(sourceMiddle) : 0;
        const LONG tileHeight = image.yTiled ? Height(sourceMiddle) : 0;
        if (tileWidth > 0 || tileHeight > 0) {
            AddTiles(middle, sourceMiddle, tileWidth, tileHeight, pieces);
        } else {
            pieces.push_back({middle, sourceMiddle});
        }
    }

    const auto add = [&](bool insetsPositive, const RECT& dest, const RECT& source) {
        if (insetsPositive && RectsIntersect(dest, paint)) pieces.push_back({dest, source});
    };
    add(c.left > 0 && c.top > 0, {d.left, d.top, d.left + k.left, d.top + k.top},
        {s.left, s.top, s.left + c.left, s.top + c.top});
    add(c.top > 0, {d.left + k.left, d.top, d.right - k.right, d.top + k.top},
        {s.left + c.left, s.top, s.right - c.right, s.top + c.top});
    add(c.right > 0 && c.top > 0, {d.right - k.right, d.top, d.right, d.top + k.top},
        {s.right - c.right, s.top, s.right, s.top + c.top});
    add(c.left > 0, {d.left, d.top + k.top, d.left + k.left, d.bottom - k.bottom},
        {s.left, s.top + c.top, s.left + c.left, s.bottom - c.bottom});
    add(c.right > 0, {d.right - k.right, d.top + k.top, d.right, d.bottom - k.bottom},
        {s.right - c.right, s.top + c.top, s.right, s.bottom - c.bottom});
    add(c.left > 0 && c.bottom > 0, {d.left, d.bottom - k.bottom, d.left + k.left, d.bottom},
        {s.left, s.bottom - c.bottom, s.left + c.left, s.bottom});
    add(c.bottom > 0, {d.left + k.left, d.bottom - k.bottom, d.right - k.right, d.bottom},
        {s.left + c.left, s.bottom - c.bottom, s.right - c.right, s.bottom});
    add(c.right > 0 && c.bottom > 0, {d.right - k.right, d.bottom - k.bottom, d.right, d.bottom},
        {s.right - c.right, s.bottom - c.bottom, s.right, s.bottom});
    return pieces;
}

}  // namespace ui
