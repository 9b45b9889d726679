#pragma once

#include <windows.h>

#include <memory>

#include "ui/render/bitmap.h"
#include "ui/render/gdi_handles.h"
#include "ui/render/pixel_blend.h"

namespace Gdiplus {
class Bitmap;
}

namespace ui {

class GdiBitmap : public IBitmap {
public:
    GdiBitmap();
    ~GdiBitmap() override;
    GdiBitmap(const GdiBitmap&) = delete;
    GdiBitmap& operator=(const GdiBitmap&) = delete;

    bool Init(HDC dc, int width, int height, bool flipHeight) override;
    void Clear() override;
    HBITMAP DetachBitmap() override;
    HBITMAP GetBitmap() override { return bitmap_.Get(); }
    void* GetBits() override { return pixels_; }
    int GetWidth() override { return width_; }
    int GetHeight() override { return height_; }
    void ClearAlpha(const RECT& dirty, int alpha) override;
    void RestoreAlpha(const RECT& dirty, const RECT& shadowInsets, int key) override;

    // The pixels, for drawing into them directly; empty without pixels.
    PixelRows GetPixelRows() const;

    // The same pixels as a premultiplied GDI+ bitmap (made on first use; GDI+ must be running),
    // so GDI+ draws into them without going through a DC. Null without pixels.
    Gdiplus::Bitmap* GetPixelBitmap();

private:
    void Forget();
    // The first byte of the pixel row y counted from the top, whichever way the rows run.
    BYTE* Row(int y) const;
    RECT ClampToBitmap(const RECT& rect) const;

    ScopedBitmap bitmap_;
    BYTE* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    bool topDown_ = true;
    std::unique_ptr<Gdiplus::Bitmap> pixelBitmap_;  // over pixels_: goes before them
};

}  // namespace ui
