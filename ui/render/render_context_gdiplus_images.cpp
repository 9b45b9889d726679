// Nine-part image drawing of the render context, through GDI for HBITMAPs and through GDI+ for
// decoded images; both place their parts with LayoutNinePart.
#include <memory>

#include "ui/dpi_manager.h"
#include "ui/render/gdiplus_headers.h"
#include "ui/render/nine_part_layout.h"
#include "ui/render/render_context_gdiplus.h"

namespace ui {
namespace {

NinePartImage MakeNinePart(const RECT& dest, const RECT& source, const RECT& corners, bool xTiled, bool yTiled) {
    NinePartImage image{dest, source, corners, corners, xTiled, yTiled};
    DpiManager::GetInstance()->ScaleRect(image.scaledCorners);
    return image;
}

Gdiplus::RectF ToRectF(const RECT& rect) {
    return Gdiplus::RectF(static_cast<Gdiplus::REAL>(rect.left), static_cast<Gdiplus::REAL>(rect.top),
                          static_cast<Gdiplus::REAL>(rect.right - rect.left),
                          static_cast<Gdiplus::REAL>(rect.bottom - rect.top));
}

// Below a fade of 255, a colour matrix that keeps red, green and blue and scales alpha.
std::unique_ptr<Gdiplus::ImageAttributes> FadeAttributes(BYTE fade) {
    if (fade >= 255) return nullptr;
    Gdiplus::ColorMatrix matrix{};
    matrix.m[0][0] = 1.0f;
    matrix.m[1][1] = 1.0f;
    matrix.m[2][2] = 1.0f;
    matrix.m[3][3] = static_cast<Gdiplus::REAL>(fade) / 255.0f;
    auto attributes = std::make_unique<Gdiplus::ImageAttributes>();
    attributes->SetColorMatrix(&matrix, Gdiplus::ColorMatrixFlagsDefault, Gdiplus::ColorAdjustTypeBitmap);
    return attributes;
}

// Restores the DC's stretch mode for a scope.
class ScopedStretchMode {
public:
    ScopedStretchMode(HDC dc, int mode) : dc_(dc), previous_(::SetStretchBltMode(dc, mode)) {}
    ~ScopedStretchMode() {
        if (previous_) ::SetStretchBltMode(dc_, previous_);
    }
    ScopedStretchMode(const ScopedStretchMode&) = delete;
    ScopedStretchMode& operator=(const ScopedStretchMode&) = delete;

private:
    HDC dc_;
    int previous_;
};

}  // namespace

void RenderContext_GdiPlus::DrawImage(const RECT& paint, HBITMAP bitmap, bool alphaChannel, const RECT& dest,
                                      const RECT& source, const RECT& corners, BYTE fade, bool xTiled,
                                      bool yTiled) {
    if (!bitmap || !RectsIntersect(dest, paint)) return;
    ScopedMemoryDc sourceDc(::CreateCompatibleDC(dc_.Get()));
    if (!sourceDc) return;
    ScopedSelectObject selected(sourceDc.Get(), bitmap);
    ScopedStretchMode stretch(dc_.Get(), HALFTONE);
    for (const ImagePiece& piece : LayoutNinePart(paint, MakeNinePart(dest, source, corners, xTiled, yTiled))) {
        CopyPiece(sourceDc.Get(), piece, alphaChannel, fade);
    }
}

void RenderContext_GdiPlus::CopyPiece(HDC source, const ImagePiece& piece, bool alphaChannel, BYTE fade) {
    const RECT& d = piece.dest;
    const RECT& s = piece.source;
    const int destWidth = d.right - d.left, destHeight = d.bottom - d.top;
    const int sourceWidth = s.right - s.left, sourceHeight = s.bottom - s.top;
    const bool sameSize = destWidth == sourceWidth && destHeight == sourceHeight;
    if (!renderTransparent_ && !alphaChannel && fade == 255 && !sameSize) {
        ::StretchBlt(dc_.Get(), d.left, d.top, destWidth, destHeight, source, s.left, s.top, sourceWidth, sourceHeight,
                     SRCCOPY);
        return;
    }
    AlphaBlend(d.left, d.top, destWidth, destHeight, source, s.left, s.top, sourceWidth, sourceHeight, fade);
}

void RenderContext_GdiPlus::DrawImage(const RECT& paint, Gdiplus::Image* image, const RECT& dest,
                                      const RECT& source, const RECT& corners, BYTE fade, bool xTiled,
                                      bool yTiled) {
    if (!image || !RectsIntersect(dest, paint)) return;
    Gdiplus::Graphics graphics(dc_.Get());
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    const auto attributes = FadeAttributes(fade);
    for (const ImagePiece& piece : LayoutNinePart(paint, MakeNinePart(dest, source, corners, xTiled, yTiled))) {
        const Gdiplus::RectF from = ToRectF(piece.source);
        graphics.DrawImage(image, ToRectF(piece.dest), from.X, from.Y, from.Width, from.Height, Gdiplus::UnitPixel,
                           attributes.get());
    }
}

}  // namespace ui
