#include "tests/ui/render/test_images.h"

#include "base/dib_info.h"

namespace ui_test {
namespace {

DWORD Premultiplied(DWORD argb) {
    const DWORD a = argb >> 24;
    const auto scale = [a](DWORD c) { return c * a / 255; };
    return (a << 24) | (scale((argb >> 16) & 0xFF) << 16) | (scale((argb >> 8) & 0xFF) << 8) | scale(argb & 0xFF);
}

}  // namespace

DWORD NinePartColorAt(int x, int y) {
    using C = NinePartColors;
    const int column = x < 10 ? 0 : x < 20 ? 1 : 2;
    const int row = y < 10 ? 0 : y < 20 ? 1 : 2;
    const DWORD colors[3][3] = {{C::kTopLeft, C::kTop, C::kTopRight},
                                {C::kLeft, x < 15 ? C::kMiddle : C::kMiddleRight, C::kRight},
                                {C::kBottomLeft, C::kBottom, C::kBottomRight}};
    return colors[row][column];
}

ui::ScopedBitmap MakeBitmap(int width, int height, DWORD (*colorAt)(int x, int y)) {
    const BITMAPINFO info = kbase::Rgb32DibInfo(width, height);
    void* bits = nullptr;
    ui::ScopedBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels[y * width + x] = Premultiplied(colorAt(x, y));
    }
    return bitmap;
}

ui::ScopedBitmap MakeNinePartBitmap() { return MakeBitmap(30, 30, NinePartColorAt); }

std::unique_ptr<Gdiplus::Bitmap> MakeNinePartImage() {
    auto image = std::make_unique<Gdiplus::Bitmap>(30, 30, PixelFormat32bppARGB);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) image->SetPixel(x, y, Gdiplus::Color(NinePartColorAt(x, y)));
    }
    return image;
}

}  // namespace ui_test
