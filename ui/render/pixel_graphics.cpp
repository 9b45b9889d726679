#include "ui/render/pixel_graphics.h"

#include "ui/render/gdi_handles.h"

namespace ui {
namespace {

// The DC's clip region, in device coordinates, onto graphics that has no transform yet.
void CopyClip(HDC dc, Gdiplus::Graphics& graphics) {
    ScopedRegion region(::CreateRectRgn(0, 0, 0, 0));
    if (!region || ::GetClipRgn(dc, region.Get()) != 1) return;
    RECT box{};
    if (::GetRgnBox(region.Get(), &box) == SIMPLEREGION) {
        // A rectangle clips far faster than a general region.
        graphics.SetClip(Gdiplus::Rect(box.left, box.top, box.right - box.left, box.bottom - box.top));
    } else {
        graphics.SetClip(region.Get());
    }
}

}  // namespace

PixelGraphics::PixelGraphics(HDC dc, Gdiplus::Bitmap* pixels) {
    if (!pixels) {
        graphics_.emplace(dc);
        return;
    }
    ::GdiFlush();  // what GDI drew so far must be in the pixels before GDI+ blends over them
    graphics_.emplace(static_cast<Gdiplus::Image*>(pixels));
    CopyClip(dc, *graphics_);
    POINT origin{};
    ::GetWindowOrgEx(dc, &origin);
    if (origin.x != 0 || origin.y != 0) {
        graphics_->TranslateTransform(static_cast<Gdiplus::REAL>(-origin.x), static_cast<Gdiplus::REAL>(-origin.y));
    }
}

}  // namespace ui
