#include "ui/scroll_bar_geometry.h"

#include <algorithm>

namespace ui {
namespace {

// The bar's rectangle with the axes exchanged, so a horizontal bar is laid out as a vertical one.
RECT Transposed(const RECT& rect) {
    return RECT{rect.top, rect.left, rect.bottom, rect.right};
}

ScrollBarParts LayOutVertical(const RECT& r, const ScrollBarShape& shape) {
    const int t = shape.thickness;
    const int length = r.bottom - r.top;
    const int track = length - (shape.showButton1 ? t : 0) - (shape.showButton2 ? t : 0);
    ScrollBarParts parts;
    if (t < track) {
        parts.button1 = shape.showButton1 ? RECT{r.left, r.top, r.left + t, r.top + t} : RECT{r.left, r.top, r.left, r.top};
        parts.button2 = shape.showButton2 ? RECT{r.left, r.bottom - t, r.left + t, r.bottom}
                                          : RECT{r.left, r.bottom, r.left, r.bottom};
        parts.thumb.left = r.left;
        parts.thumb.right = r.left + t;
        if (shape.range > 0) {
            const std::int64_t proportional = std::int64_t{length} * track / (length + shape.range);
            const int thumbLength =
                static_cast<int>(std::min<std::int64_t>(std::max<std::int64_t>(proportional, shape.thumbMinLength), track));
            const std::int64_t position = std::clamp<std::int64_t>(shape.position, 0, shape.range);
            parts.thumb.top = static_cast<int>((track - thumbLength) * position / shape.range) + parts.button1.bottom;
            parts.thumb.bottom = parts.thumb.top + thumbLength;
            if (parts.thumb.bottom > parts.button2.top) {
                parts.thumb.top = parts.button2.top - thumbLength;
                parts.thumb.bottom = parts.button2.top;
            }
        } else {
            parts.thumb.top = parts.button1.bottom;
            parts.thumb.bottom = parts.button2.top;
        }
        return parts;
    }
    const int h = std::min(t, length / 2);
    parts.button1 = shape.showButton1 ? RECT{r.left, r.top, r.left + t, r.top + h} : RECT{r.left, r.top, r.left, r.top};
    parts.button2 = shape.showButton2 ? RECT{r.left, r.bottom - h, r.left + t, r.bottom}
                                      : RECT{r.left, r.bottom, r.left, r.bottom};
    return parts;
}

}  // namespace

ScrollBarParts LayOutScrollBar(const ScrollBarShape& shape) {
    if (!shape.horizontal) return LayOutVertical(shape.rect, shape);
    const ScrollBarParts turned = LayOutVertical(Transposed(shape.rect), shape);
    ScrollBarParts parts{Transposed(turned.button1), Transposed(turned.button2), Transposed(turned.thumb)};
    return parts;
}

int ThumbTrackLength(const ScrollBarShape& shape, const RECT& thumb) {
    const int length = shape.horizontal ? shape.rect.right - shape.rect.left : shape.rect.bottom - shape.rect.top;
    const int thumbLength = shape.horizontal ? thumb.right - thumb.left : thumb.bottom - thumb.top;
    return length - thumbLength - (shape.showButton1 ? shape.thickness : 0) - (shape.showButton2 ? shape.thickness : 0);
}

std::int64_t DragOffset(int moved, std::int64_t range, int track) {
    if (track <= 0) return 0;
    return std::int64_t{moved} * range / track;
}

bool IsEmptyThumb(const RECT& thumb) {
    return thumb.left == 0 && thumb.top == 0 && thumb.right == 0 && thumb.bottom == 0;
}

}  // namespace ui
