#pragma once

#include <windows.h>

#include <cstdint>

namespace ui {

// The arithmetic of a scroll bar, apart from controls and windows: where its buttons and thumb
// lie, and how far a drag of the thumb moves the position.

struct ScrollBarShape {
    RECT rect{0, 0, 0, 0};  // the whole bar
    int thickness = 0;      // across the bar
    bool horizontal = false;
    bool showButton1 = true;
    bool showButton2 = true;
    std::int64_t range = 0;
    std::int64_t position = 0;
    int thumbMinLength = 0;
};

// Rectangles of the parts; a hidden button is an empty rectangle at its end of the bar, and an
// all-zero thumb means there is no room for one.
struct ScrollBarParts {
    RECT button1{0, 0, 0, 0};
    RECT button2{0, 0, 0, 0};
    RECT thumb{0, 0, 0, 0};
};

// The thumb's length follows the share of the content in view, raised to the minimum length
// but never longer than the track between the buttons.
ScrollBarParts LayOutScrollBar(const ScrollBarShape& shape);

// The room the thumb can move in: the bar's length less the thumb and the shown buttons.
int ThumbTrackLength(const ScrollBarShape& shape, const RECT& thumb);

// The position change asked for by moving the thumb `moved` pixels along the bar; 0 when the
// thumb has no room to move.
std::int64_t DragOffset(int moved, std::int64_t range, int track);

bool IsEmptyThumb(const RECT& thumb);

}  // namespace ui
