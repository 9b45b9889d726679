// Colours, lines, shapes and paths of the render context: colours are filled into the pixels
// directly, everything else drawn through a GDI+ graphics object of its own.
#include "ui/global_manager.h"
#include "ui/render/brush_gdiplus.h"
#include "ui/render/gdiplus_headers.h"
#include "ui/render/path_gdiplus.h"
#include "ui/render/pen_gdiplus.h"
#include "ui/render/pixel_graphics.h"
#include "ui/render/render_context_gdiplus.h"

namespace ui {
namespace {

// (left, top, right - left, bottom - top).
Gdiplus::Rect ToRect(const RECT& rect) {
    return Gdiplus::Rect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

// A graphics object for the context's pixels, anti-aliased when asked.
class Canvas {
public:
    Canvas(HDC dc, Gdiplus::Bitmap* pixels, bool antiAlias) : graphics_(dc, pixels) {
        if (antiAlias) graphics_->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    }
    Gdiplus::Graphics* operator->() { return graphics_.operator->(); }

private:
    PixelGraphics graphics_;
};

}  // namespace

void RenderContext_GdiPlus::DrawColor(const RECT& rect, const std::wstring& colorName, BYTE fade) {
    if (colorName.empty()) return;
    DrawColor(rect, GlobalManager::GetTextColor(colorName), fade);
}

void RenderContext_GdiPlus::DrawColor(const RECT& rect, DWORD color, BYTE fade) {
    if (fade < 255) {
        const auto alpha = static_cast<DWORD>((color >> 24) * (fade / 255.0));
        color = (alpha << 24) | (color & 0x00FFFFFFu);
    }
    RECT device{};
    for (const RECT& part : PixelParts(rect, device)) FillSolid(bitmap_.GetPixelRows(), part, color);
}

void RenderContext_GdiPlus::DrawLine(const IPen* pen, int x1, int y1, int x2, int y2) {
    if (!pen) return;
    Canvas canvas(dc_.Get(), bitmap_.GetPixelBitmap(), true);
    canvas->DrawLine(GdiplusPenOf(pen), x1, y1, x2, y2);
}

void RenderContext_GdiPlus::DrawLine(const RECT& rect, int width, DWORD color) {
    Canvas canvas(dc_.Get(), bitmap_.GetPixelBitmap(), false);
    Gdiplus::Pen pen(Gdiplus::Color(color), static_cast<Gdiplus::REAL>(width));
    canvas->DrawLine(&pen, Gdiplus::Point(rect.left, rect.top), Gdiplus::Point(rect.right, rect.bottom));
}

void RenderContext_GdiPlus::DrawBezier(const IPen* pen, int x1, int y1, int x2, int y2, int x3, int y3, int x4,
                                       int y4) {
    if (!pen) return;
    Canvas canvas(dc_.Get(), bitmap_.GetPixelBitmap(), true);
    canvas->DrawBezier(GdiplusPenOf(pen), x1, y1, x2, y2, x3, y3, x4, y4);
}

void RenderContext_GdiPlus::DrawRect(const RECT& rect, int width, DWORD color) {
    Canvas canvas(dc_.Get(), bitmap_.GetPixelBitmap(), false);
    Gdiplus::Pen pen(Gdiplus::Color(color), static_cast<Gdiplus::REAL>(width));
    canvas->DrawRectangle(&pen, ToRect(rect));
}

void RenderContext_GdiPlus::DrawRoundRect(const RECT& rect, const SIZE& round, int width, DWORD color) {
    const int left = rect.left, top = rect.top, right = rect.right, bottom = rect.bottom;
    const int cx = round.cx, cy = round.cy;
    Gdiplus::GraphicsPath path;
    path.AddArc(left, top, cx, cy, 180.0f, 90.0f);
    path.AddLine(left + cx, top, right - cx, top);
    path.AddArc(right - cx, top, cx, cy, 270.0f, 90.0f);
    path.AddLine(right, top + cy, right, bottom - cy);
    path.AddArc(right - cx, bottom - cy, cx, cy, 0.0f, 90.0f);
    path.AddLine(right - cx, bottom, left + cx, bottom);
    path.AddArc(left, bottom - cy, cx, cy, 90.0f, 90.0f);
    path.AddLine(left, bottom - cy, left, top + cy);
    path.CloseFigure();
    Canvas canvas(dc_.Get(), bitmap_.GetPixelBitmap(), true);
    Gdiplus::Pen pen(Gdiplus::Color(color), static_cast<Gdiplus::REAL>(width));
    canvas->DrawPath(&pen, &path);
}

void RenderContext_GdiPlus::DrawEllipse(const RECT& rect, int width, DWORD color) {
    Canvas canvas(dc_.Get(), bitmap_.GetPixelBitmap(), true);
    Gdiplus::Pen pen(Gdiplus::Color(color), static_cast<Gdiplus::REAL>(width));
    canvas->DrawEllipse(&pen, ToRect(rect));
}

void RenderContext_GdiPlus::FillEllipse(const RECT& rect, DWORD color) {
    Canvas canvas(dc_.Get(), bitmap_.GetPixelBitmap(), true);
    Gdiplus::SolidBrush brush{Gdiplus::Color(color)};
    canvas->FillEllipse(&brush, ToRect(rect));
}

void RenderContext_GdiPlus::DrawPath(const IPath* path, const IPen* pen) {
    if (!path || !pen) return;
    Canvas canvas(dc_.Get(), bitmap_.GetPixelBitmap(), true);
    canvas->DrawPath(GdiplusPenOf(pen), static_cast<const Path_Gdiplus*>(path)->GetPath());
}

void RenderContext_GdiPlus::FillPath(const IPath* path, const IBrush* brush) {
    if (!path || !brush) return;
    Canvas canvas(dc_.Get(), bitmap_.GetPixelBitmap(), true);
    canvas->FillPath(static_cast<const Brush_Gdiplus*>(brush)->GetFillBrush(),
                     static_cast<const Path_Gdiplus*>(path)->GetPath());
}

}  // namespace ui
