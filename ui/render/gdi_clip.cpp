#include "ui/render/gdi_clip.h"

#include "ui/render/gdi_handles.h"

namespace ui {
namespace {

// Regions are in device coordinates, the rectangles in the DC's logical ones.
RECT ToDevice(HDC dc, RECT rect) {
    POINT origin{};
    ::GetWindowOrgEx(dc, &origin);
    ::OffsetRect(&rect, -origin.x, -origin.y);
    return rect;
}

void IntersectClip(HDC dc, HRGN region) {
    ScopedRegion owned(region);
    ::SaveDC(dc);
    ::ExtSelectClipRgn(dc, owned.Get(), RGN_AND);
}

}  // namespace

void GdiClip::CreateClip(HDC dc, RECT rect) {
    if (!dc) return;
    const RECT device = ToDevice(dc, rect);
    IntersectClip(dc, ::CreateRectRgnIndirect(&device));
}

void GdiClip::CreateRoundClip(HDC dc, RECT rect, int width, int height) {
    if (!dc) return;
    const RECT device = ToDevice(dc, rect);
    IntersectClip(dc, ::CreateRoundRectRgn(device.left, device.top, device.right + 1, device.bottom + 1, width, height));
}

void GdiClip::ClearClip(HDC dc) {
    if (dc) ::RestoreDC(dc, -1);
}

}  // namespace ui
