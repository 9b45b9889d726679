#pragma once

#include <windows.h>

#include <memory>

#include "ui/render/brush.h"
#include "ui/render/gdiplus_headers.h"

namespace ui {

// A solid brush, or a tiled texture over a copy of a bitmap.
class Brush_Gdiplus : public IBrush {
public:
    explicit Brush_Gdiplus(DWORD color);
    explicit Brush_Gdiplus(HBITMAP bitmap);  // the caller keeps the handle

    IBrush* Clone() override;
    DWORD GetColor() override { return color_; }
    IBitmap* GetBitmap() override { return bitmap_.get(); }

    // The brush to fill with: the solid one when there is one, else the texture.
    Gdiplus::Brush* GetFillBrush() const;

private:
    Brush_Gdiplus(DWORD color, std::unique_ptr<Gdiplus::SolidBrush> solid, std::unique_ptr<Gdiplus::TextureBrush> texture);

    std::unique_ptr<Gdiplus::SolidBrush> solid_;
    std::unique_ptr<Gdiplus::TextureBrush> texture_;
};

}  // namespace ui
