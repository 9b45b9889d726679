#pragma once

#include <windows.h>

#include <optional>

#include "ui/render/gdiplus_headers.h"

namespace ui {

// A GDI+ graphics object for one drawing call into a memory DC's DIB section. With the DIB's
// pixels as a GDI+ bitmap it draws into them directly, clipped and shifted as the DC is (Wine's
// GDI+ is many times slower through a DC); without them it draws through the DC.
class PixelGraphics {
public:
    PixelGraphics(HDC dc, Gdiplus::Bitmap* pixels);
    PixelGraphics(const PixelGraphics&) = delete;
    PixelGraphics& operator=(const PixelGraphics&) = delete;

    Gdiplus::Graphics* operator->() { return &*graphics_; }
    Gdiplus::Graphics& operator*() { return *graphics_; }

private:
    std::optional<Gdiplus::Graphics> graphics_;
};

}  // namespace ui
