#pragma once

#include <windows.h>

#include <string>

namespace ui {
class IRenderContext;
}

namespace ui_test {

// One pixel of a render context as stored: premultiplied blue, green, red, alpha.
struct Pixel {
    BYTE b = 0, g = 0, r = 0, a = 0;
    bool operator==(const Pixel&) const = default;
    DWORD Argb() const { return (DWORD{a} << 24) | (DWORD{r} << 16) | (DWORD{g} << 8) | DWORD{b}; }
};

// The pixel at (x, y) counted from the top-left of a top-down context; all zero outside it.
Pixel PixelAt(ui::IRenderContext& context, int x, int y);

// Writes the context's pixels to a PNG file through GDI+'s encoder (starting GDI+ when needed),
// alpha kept, each pixel enlarged to zoom x zoom so small drawings can be looked at. False when
// there are no pixels or the file cannot be written.
bool WriteRenderContextPng(ui::IRenderContext& context, const std::wstring& path, int zoom = 1);

}  // namespace ui_test
