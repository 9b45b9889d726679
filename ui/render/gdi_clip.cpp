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

std::vector<RECT> VisibleParts(HDC dc, const RECT& rect) {
    if (::IsRectEmpty(&rect)) return {};
    ScopedRegion clip(::CreateRectRgn(0, 0, 0, 0));
    if (!clip || ::GetClipRgn(dc, clip.Get()) != 1) return {rect};
    RECT box{};
    if (::GetRgnBox(clip.Get(), &box) == SIMPLEREGION) {
        RECT part{};
        if (!::IntersectRect(&part, &rect, &box)) return {};
        return {part};
    }
    ScopedRegion parts(::CreateRectRgnIndirect(&rect));
    if (!parts || ::CombineRgn(parts.Get(), parts.Get(), clip.Get(), RGN_AND) <= NULLREGION) return {};
    const DWORD bytes = ::GetRegionData(parts.Get(), 0, nullptr);
    if (bytes < sizeof(RGNDATAHEADER)) return {};
    std::vector<BYTE> buffer(bytes);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (::GetRegionData(parts.Get(), bytes, data) != bytes) return {};
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    return std::vector<RECT>(rects, rects + data->rdh.nCount);
}

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
