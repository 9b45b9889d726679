#pragma once

#include <windows.h>

#include <optional>

namespace ui {

// The arithmetic of placing, sizing and painting a window, apart from the window itself.

// Where a window of the size of `window` goes to be centred on `centre`; with clamp, moved
// back inside the work area where it would stick out (right and bottom first losing).
POINT CenteredPosition(const RECT& window, const RECT& centre, const RECT& workArea, bool clamp);

// A layered window shows its whole bitmap, so where it sticks out of the virtual screen the
// update rectangle (client coordinates), cut at the screen's edge, is widened to the client's
// edge. virtualScreen is left, top, right, bottom of the virtual screen.
RECT WidenUpdateForVirtualScreen(const RECT& update, const RECT& client, const RECT& window,
                                 const RECT& virtualScreen);

// An auto-sized root's estimate within its minimum and maximum (a negative maximum width is
// no limit).
SIZE ClampToLimits(SIZE estimate, SIZE minimum, SIZE maximum);

// Where the alpha of a layered window's bitmap is made opaque after painting: rect, except
// the corner squares of the bitmap (corners.left wide at the left edge, and so on).
struct AlphaRepair {
    RECT rect{};
    RECT corners{};
};
struct AlphaRepairInput {
    RECT paint{};
    RECT rootContent{};       // the root's rectangle without its padding
    RECT rootPadding{};       // the root layout's padding
    bool shadowAttached = false;
    RECT alphaFixCorner{};
    SIZE designSize{};
    RECT edging{};
    SIZE windowSize{};
};
// Shadow: the content, corners one wider than the shadow. Alpha-fix corner: the content less
// that band. Design size: a rectangle of that size centred in the window, less the edging.
// Otherwise nothing.
std::optional<AlphaRepair> ChooseAlphaRepair(const AlphaRepairInput& input);

// The height that a fraction of the work area gives, within the limits (0: none).
int HeightFromWorkArea(int workAreaHeight, double fraction, int minHeight, int maxHeight);

// The hit-test code of a client point for the resize bands of a window that is not
// maximised; HTNOWHERE when the point is in none of them. client is the area inside the
// shadow.
UINT SizeBoxHitTest(POINT point, const RECT& client, const RECT& sizeBox);

// Whether a client point lies in the caption band (insets from the area inside the shadow).
bool InCaption(POINT point, const RECT& client, const RECT& caption);

}  // namespace ui
