// Nine-part image drawing of the render context, through GDI for HBITMAPs; decoded images are
// scaled and blended into the pixels directly, through GDI+ only when they cannot be read so.
// Both place their parts with LayoutNinePart.
#include <memory>

#include "ui/dpi_manager.h"
#include "ui/render/gdiplus_headers.h"
#include "ui/render/nine_part_layout.h"
#include "ui/render/pixel_blend.h"
#include "ui/render/pixel_graphics.h"
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

// A GDI+ bitmap's rectangle read as premultiplied pixels for a scope.
class LockedPixels {
public:
    LockedPixels(Gdiplus::Bitmap* bitmap, const RECT& area) : bitmap_(bitmap) {
        Gdiplus::Rect rect(area.left, area.top, area.right - area.left, area.bottom - area.top);
        locked_ = bitmap_->LockBits(&rect, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data_) == Gdiplus::Ok;
    }
    ~LockedPixels() {
        if (locked_) bitmap_->UnlockBits(&data_);
    }
    LockedPixels(const LockedPixels&) = delete;
    LockedPixels& operator=(const LockedPixels&) = delete;

    explicit operator bool() const { return locked_; }
    PixelRows Rows() const {
        return PixelRows{static_cast<BYTE*>(data_.Scan0), data_.Stride, static_cast<int>(data_.Width),
                         static_cast<int>(data_.Height)};
    }

private:
    Gdiplus::Bitmap* bitmap_;
    Gdiplus::BitmapData data_{};
    bool locked_ = false;
};

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
    const std::vector<ImagePiece> pieces = LayoutNinePart(paint, MakeNinePart(dest, source, corners, xTiled, yTiled));
    if (BlendPieces(image, source, pieces, fade)) return;
    PixelGraphics graphics(dc_.Get(), bitmap_.GetPixelBitmap());
    graphics->SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    const auto attributes = FadeAttributes(fade);
    for (const ImagePiece& piece : pieces) {
        const Gdiplus::RectF from = ToRectF(piece.source);
        graphics->DrawImage(image, ToRectF(piece.dest), from.X, from.Y, from.Width, from.Height, Gdiplus::UnitPixel,
                           attributes.get());
    }
}

bool RenderContext_GdiPlus::BlendPieces(Gdiplus::Image* image, const RECT& source,
                                        const std::vector<ImagePiece>& pieces, BYTE fade) {
    if (!GetBits() || image->GetType() != Gdiplus::ImageTypeBitmap) return false;
    const LockedPixels locked(static_cast<Gdiplus::Bitmap*>(image), source);
    if (!locked) return false;
    const PixelRows target = bitmap_.GetPixelRows();
    for (const ImagePiece& piece : pieces) {
        RECT from = piece.source;
        ::OffsetRect(&from, -source.left, -source.top);
        RECT device{};
        for (const RECT& part : PixelParts(piece.dest, device)) {
            BlendScaled(target, device, part, locked.Rows(), from, fade);
        }
    }
    return true;
}

}  // namespace ui
