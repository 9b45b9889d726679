#include "ui/render/brush_gdiplus.h"

namespace ui {
namespace {

template <class Brush>
std::unique_ptr<Brush> CloneOf(const std::unique_ptr<Brush>& brush) {
    if (!brush) return nullptr;
    return std::unique_ptr<Brush>(static_cast<Brush*>(brush->Clone()));
}

}  // namespace

Brush_Gdiplus::Brush_Gdiplus(DWORD color)
    : IBrush(color), solid_(std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(color))) {}

Brush_Gdiplus::Brush_Gdiplus(HBITMAP bitmap) : IBrush(0) {
    // The texture keeps its own copy of the pixels, so the GDI+ bitmap may go at once.
    std::unique_ptr<Gdiplus::Bitmap> image(Gdiplus::Bitmap::FromHBITMAP(bitmap, nullptr));
    if (image && image->GetLastStatus() == Gdiplus::Ok) {
        texture_ = std::make_unique<Gdiplus::TextureBrush>(image.get(), Gdiplus::WrapModeTile);
    }
}

Brush_Gdiplus::Brush_Gdiplus(DWORD color, std::unique_ptr<Gdiplus::SolidBrush> solid,
                             std::unique_ptr<Gdiplus::TextureBrush> texture)
    : IBrush(color), solid_(std::move(solid)), texture_(std::move(texture)) {}

IBrush* Brush_Gdiplus::Clone() { return new Brush_Gdiplus(color_, CloneOf(solid_), CloneOf(texture_)); }

Gdiplus::Brush* Brush_Gdiplus::GetFillBrush() const {
    if (solid_) return solid_.get();
    return texture_.get();
}

}  // namespace ui
