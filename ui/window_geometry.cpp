#include "ui/window_geometry.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace ui {
namespace {

RECT Deflated(const RECT& rect, const RECT& insets) {
    return RECT{rect.left + insets.left, rect.top + insets.top, rect.right - insets.right, rect.bottom - insets.bottom};
}

RECT Intersection(const RECT& a, const RECT& b) {
    RECT out{};
    ::IntersectRect(&out, &a, &b);
    return out;
}

bool AnyAboveZero(const RECT& rect) {
    return rect.left > 0 || rect.top > 0 || rect.right > 0 || rect.bottom > 0;
}

// One axis of CenteredPosition.
LONG CenteredStart(LONG centreStart, LONG centreEnd, LONG size, LONG areaStart, LONG areaEnd, bool clamp) {
    LONG start = (centreStart + centreEnd) / 2 - size / 2;
    if (!clamp) return start;
    if (start < areaStart) {
        start = areaStart;
    } else if (start + size > areaEnd) {
        start = areaEnd - size;
    }
    return start;
}

}  // namespace

POINT CenteredPosition(const RECT& window, const RECT& centre, const RECT& workArea, bool clamp) {
    return POINT{CenteredStart(centre.left, centre.right, window.right - window.left, workArea.left, workArea.right, clamp),
                 CenteredStart(centre.top, centre.bottom, window.bottom - window.top, workArea.top, workArea.bottom, clamp)};
}

RECT WidenUpdateForVirtualScreen(const RECT& update, const RECT& client, const RECT& window,
                                 const RECT& virtualScreen) {
    RECT out = update;
    if (window.left < virtualScreen.left && update.left + window.left == virtualScreen.left) out.left = client.left;
    if (window.top < virtualScreen.top && update.top + window.top == virtualScreen.top) out.top = client.top;
    if (window.right > virtualScreen.right && update.right + window.left == virtualScreen.right) out.right = client.right;
    if (window.bottom > virtualScreen.bottom && update.bottom + window.top == virtualScreen.bottom) {
        out.bottom = client.bottom;
    }
    return out;
}

SIZE ClampToLimits(SIZE estimate, SIZE minimum, SIZE maximum) {
    SIZE size{std::max(estimate.cx, minimum.cx), std::max(estimate.cy, minimum.cy)};
    if (maximum.cx >= 0) size.cx = std::min(size.cx, maximum.cx);
    if (maximum.cy >= 0) size.cy = std::min(size.cy, maximum.cy);
    return size;
}

std::optional<AlphaRepair> ChooseAlphaRepair(const AlphaRepairInput& input) {
    if (input.shadowAttached) {
        const RECT& pad = input.rootPadding;
        return AlphaRepair{Intersection(input.paint, input.rootContent),
                           RECT{pad.left + 1, pad.top + 1, pad.right + 1, pad.bottom + 1}};
    }
    if (AnyAboveZero(input.alphaFixCorner)) {
        return AlphaRepair{Intersection(input.paint, Deflated(input.rootContent, input.alphaFixCorner)), RECT{}};
    }
    if (input.designSize.cx > 0 && input.designSize.cy > 0) {
        const LONG midX = input.windowSize.cx / 2;
        const LONG midY = input.windowSize.cy / 2;
        const LONG halfX = input.designSize.cx / 2;
        const LONG halfY = input.designSize.cy / 2;
        return AlphaRepair{RECT{input.edging.left - halfX + midX, input.edging.top - halfY + midY,
                                halfX - input.edging.right + midX, halfY - input.edging.bottom + midY},
                           RECT{}};
    }
    return std::nullopt;
}

int HeightFromWorkArea(int workAreaHeight, double fraction, int minHeight, int maxHeight) {
    const double wanted = workAreaHeight * fraction;
    // A fraction from a skin may be anything; the height stays a sane int.
    int height = std::isfinite(wanted) && wanted > 0 ? static_cast<int>(std::min<double>(wanted, INT_MAX)) : 0;
    if (minHeight != 0) height = std::max(height, minHeight);
    if (maxHeight != 0) height = std::min(height, maxHeight);
    return height;
}

UINT SizeBoxHitTest(POINT point, const RECT& client, const RECT& sizeBox) {
    const auto horizontalCorner = [&](UINT left, UINT right, UINT middle) -> UINT {
        if (point.x >= client.left && point.x < client.left + sizeBox.left) return left;
        if (point.x > client.right - sizeBox.right && point.x <= client.right) return right;
        return middle;
    };
    if (point.y < client.top + sizeBox.top) {
        return point.y < client.top ? HTCLIENT : horizontalCorner(HTTOPLEFT, HTTOPRIGHT, HTTOP);
    }
    if (point.y > client.bottom - sizeBox.bottom) {
        return point.y > client.bottom ? HTCLIENT : horizontalCorner(HTBOTTOMLEFT, HTBOTTOMRIGHT, HTBOTTOM);
    }
    if (point.x < client.left + sizeBox.left) return point.x < client.left ? HTCLIENT : HTLEFT;
    if (point.x > client.right - sizeBox.right) return point.x > client.right ? HTCLIENT : HTRIGHT;
    return HTNOWHERE;
}

bool InCaption(POINT point, const RECT& client, const RECT& caption) {
    return point.x >= client.left + caption.left && point.x < client.right - caption.right &&
           point.y >= client.top + caption.top && point.y < client.top + caption.bottom;
}

}  // namespace ui
