#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

namespace ui {

// Source-over drawing into premultiplied 32-bit pixels (blue, green, red, alpha), done here
// because Wine's GDI+ fills and scales through a per-pixel path many times slower. Pure
// arithmetic on memory; every rectangle is clipped to the pixels it addresses.

// Rows of premultiplied pixels: the top row and the byte step to the row below it (negative
// for bottom-up bitmaps).
struct PixelRows {
    BYTE* top = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
};

// A solid ARGB colour (not premultiplied) over the pixels of area.
void FillSolid(const PixelRows& target, const RECT& area, DWORD argb);

// The source rectangle of source scaled onto dest (bilinear, never sampling beyond the source
// rectangle), its alpha scaled by fade, over the pixels of dest that lie inside visible.
void BlendScaled(const PixelRows& target, const RECT& dest, const RECT& visible, const PixelRows& source,
                 const RECT& sourceRect, BYTE fade);

// GDI drawing into these pixels writes alpha 0 on what it draws, which a layered window shows
// as a hole. The alpha of an area is read before a GDI drawing; after it, every pixel of the
// area that had alpha and lost it gets its alpha back, its colour capped by it.
std::vector<BYTE> ReadAlpha(const PixelRows& target, const RECT& area);
void RestoreGdiAlpha(const PixelRows& target, const RECT& area, const std::vector<BYTE>& before);

}  // namespace ui
