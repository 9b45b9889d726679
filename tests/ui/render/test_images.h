#pragma once

#include <windows.h>

#include <memory>

#include "ui/render/gdi_handles.h"
#include "ui/render/gdiplus_headers.h"

namespace ui_test {

// A 30 x 30 source cut by 10-pixel corner insets into nine opaque regions of their own colour;
// the middle's left half is kMiddle, its right half kMiddleRight, so tiles can be told apart.
struct NinePartColors {
    static constexpr DWORD kTopLeft = 0xFFFF0000, kTop = 0xFF00FF00, kTopRight = 0xFF0000FF;
    static constexpr DWORD kLeft = 0xFFFFFF00, kMiddle = 0xFF808080, kMiddleRight = 0xFFFFFFFF;
    static constexpr DWORD kRight = 0xFF00FFFF, kBottomLeft = 0xFFFF00FF, kBottom = 0xFFFF8000;
    static constexpr DWORD kBottomRight = 0xFF8000FF;
};

// A top-down 32-bit DIB section filled by colorAt(x, y) with ARGB colours, stored premultiplied.
ui::ScopedBitmap MakeBitmap(int width, int height, DWORD (*colorAt)(int x, int y));
ui::ScopedBitmap MakeNinePartBitmap();
// The same nine-part picture as a GDI+ bitmap.
std::unique_ptr<Gdiplus::Bitmap> MakeNinePartImage();

DWORD NinePartColorAt(int x, int y);

}  // namespace ui_test
