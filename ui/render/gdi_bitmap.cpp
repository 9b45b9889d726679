#include "ui/render/gdi_bitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "base/dib_info.h"
#include "ui/render/gdiplus_headers.h"

namespace ui {

GdiBitmap::GdiBitmap() = default;

GdiBitmap::~GdiBitmap() = default;

bool GdiBitmap::Init(HDC dc, int width, int height, bool flipHeight) {
    Forget();
    bitmap_.Reset();
    if (!dc || width <= 0 || height <= 0) return false;
    // The byte count is computed in 64 bits: a large width times height must not wrap.
    const std::uint64_t bytes = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4u;
    if (bytes > MAXDWORD) return false;

    BITMAPINFO info = kbase::Rgb32DibInfo(width, height, flipHeight);
    info.bmiHeader.biSizeImage = static_cast<DWORD>(bytes);
    void* bits = nullptr;
    ScopedBitmap bitmap(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return false;

    bitmap_ = std::move(bitmap);
    pixels_ = static_cast<BYTE*>(bits);
    width_ = width;
    height_ = height;
    topDown_ = flipHeight;
    return true;
}

void GdiBitmap::Clear() {
    if (pixels_) std::memset(pixels_, 0, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4u);
}

HBITMAP GdiBitmap::DetachBitmap() {
    Forget();
    return bitmap_.Release();
}

void GdiBitmap::ClearAlpha(const RECT& dirty, int alpha) {
    if (!pixels_) return;
    const RECT area = ClampToBitmap(dirty);
    if (area.left >= area.right) return;
    // Every byte, colour included: a key of 0 leaves transparent black behind.
    const std::size_t bytes = static_cast<std::size_t>(area.right - area.left) * 4u;
    for (int y = area.top; y < area.bottom; ++y) {
        std::memset(Row(y) + static_cast<std::size_t>(area.left) * 4u, alpha & 0xFF, bytes);
    }
}

void GdiBitmap::RestoreAlpha(const RECT& dirty, const RECT& shadowInsets, int key) {
    if (!pixels_) return;
    const RECT area = ClampToBitmap(dirty);
    for (int y = area.top; y < area.bottom; ++y) {
        const bool inRowBand = y >= shadowInsets.top && y < height_ - shadowInsets.bottom;
        BYTE* row = Row(y);
        for (int x = area.left; x < area.right; ++x) {
            const bool inColumnBand = x >= shadowInsets.left && x < width_ - shadowInsets.right;
            if (!inRowBand && !inColumnBand) continue;  // a shadow corner keeps its alpha
            BYTE& alpha = row[static_cast<std::size_t>(x) * 4u + 3u];
            alpha = (key != 0 && alpha == key) ? 0 : 255;
        }
    }
}

PixelRows GdiBitmap::GetPixelRows() const {
    if (!pixels_) return PixelRows{};
    const auto rowBytes = static_cast<std::ptrdiff_t>(width_) * 4;
    return PixelRows{Row(0), topDown_ ? rowBytes : -rowBytes, width_, height_};
}

Gdiplus::Bitmap* GdiBitmap::GetPixelBitmap() {
    if (!pixelBitmap_ && pixels_) {
        const PixelRows rows = GetPixelRows();
        auto view = std::make_unique<Gdiplus::Bitmap>(width_, height_, static_cast<INT>(rows.stride),
                                                      PixelFormat32bppPARGB, rows.top);
        if (view->GetLastStatus() == Gdiplus::Ok) pixelBitmap_ = std::move(view);
    }
    return pixelBitmap_.get();
}

void GdiBitmap::Forget() {
    pixelBitmap_.reset();
    pixels_ = nullptr;
    width_ = 0;
    height_ = 0;
}

BYTE* GdiBitmap::Row(int y) const {
    const int memoryRow = topDown_ ? y : height_ - 1 - y;
    return pixels_ + static_cast<std::size_t>(memoryRow) * static_cast<std::size_t>(width_) * 4u;
}

RECT GdiBitmap::ClampToBitmap(const RECT& rect) const {
    return RECT{std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0), std::min<LONG>(rect.right, width_),
                std::min<LONG>(rect.bottom, height_)};
}

}  // namespace ui
