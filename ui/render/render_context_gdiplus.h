#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/render/gdi_bitmap.h"
#include "ui/render/gdi_clip.h"
#include "ui/render/gdi_handles.h"
#include "ui/render/render_context.h"

namespace ui {

struct ImagePiece;

// A memory DC with a 32-bit DIB section: GDI for bitmaps, clips and origins, GDI+ for images,
// text, shapes and paths. Sources: this file's .cpp (DC, bitmap, clips, copies), _images.cpp
// (nine-part images), _text.cpp (text), _shapes.cpp (colours, lines, shapes, paths).
class RenderContext_GdiPlus : public IRenderContext {
public:
    RenderContext_GdiPlus();
    ~RenderContext_GdiPlus() override;
    RenderContext_GdiPlus(const RenderContext_GdiPlus&) = delete;
    RenderContext_GdiPlus& operator=(const RenderContext_GdiPlus&) = delete;

    HDC GetDC() override { return dc_.Get(); }
    bool Resize(int width, int height, bool flipHeight = true) override;
    void Clear() override;
    IRenderContext* Clone() override;
    HBITMAP DetachBitmap() override;
    BYTE* GetBits() override;
    void DrawGdi(const RECT& area, const std::function<void(HDC)>& draw) override;
    int GetWidth() override { return bitmap_.GetWidth(); }
    int GetHeight() override { return bitmap_.GetHeight(); }
    void ClearAlpha(const RECT& dirty, int alpha = 0) override;
    void RestoreAlpha(const RECT& dirty, const RECT& shadowInsets, int alpha = 0) override;

    bool IsRenderTransparent() const override { return renderTransparent_; }
    bool SetRenderTransparent(bool transparent) override;

    void Save() override;
    void Restore() override;
    POINT OffsetWindowOrg(POINT offset) override;
    POINT SetWindowOrg(POINT origin) override;
    POINT GetWindowOrg() const override;

    void SetClip(const RECT& rect) override;
    void SetRoundClip(const RECT& rect, int width, int height) override;
    void ClearClip() override;

    bool BitBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                DWORD rasterOperation = SRCCOPY) override;
    bool AlphaBlend(int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                    int sourceHeight, BYTE alpha = 255) override;

    void DrawImage(const RECT& paint, HBITMAP bitmap, bool alphaChannel, const RECT& dest, const RECT& source,
                   const RECT& corners, BYTE fade = 255, bool xTiled = false, bool yTiled = false) override;
    void DrawImage(const RECT& paint, Gdiplus::Image* image, const RECT& dest, const RECT& source,
                   const RECT& corners, BYTE fade = 255, bool xTiled = false, bool yTiled = false) override;

    void DrawColor(const RECT& rect, const std::wstring& colorName, BYTE fade = 255) override;
    void DrawColor(const RECT& rect, DWORD color, BYTE fade = 255) override;

    void DrawLine(const IPen* pen, int x1, int y1, int x2, int y2) override;
    void DrawLine(const RECT& rect, int width, DWORD color) override;
    void DrawBezier(const IPen* pen, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void DrawRect(const RECT& rect, int width, DWORD color) override;
    void DrawRoundRect(const RECT& rect, const SIZE& round, int width, DWORD color) override;
    void DrawText(const RECT& rect, const std::wstring& text, DWORD color, const std::wstring& fontId, UINT style,
                  BYTE fade = 255, bool lineLimit = false) override;
    void DrawText(const RECT& rect, const std::wstring& text, DWORD color, const std::wstring& fontId, UINT style,
                  ITextEffect* effect, bool lineLimit = false) override;
    void DrawEllipse(const RECT& rect, int width, DWORD color) override;
    void FillEllipse(const RECT& rect, DWORD color) override;
    RECT MeasureText(const std::wstring& text, const std::wstring& fontId, UINT style, int width = -1) override;
    void DrawPath(const IPath* path, const IPen* pen) override;
    void FillPath(const IPath* path, const IBrush* brush) override;

private:
    // One part of a GDI image drawing: stretched opaquely only when nothing needs blending.
    void CopyPiece(HDC source, const ImagePiece& piece, bool alphaChannel, BYTE fade);
    // The pieces of a GDI+ bitmap blended straight into the pixels; false when the image
    // cannot be read that way.
    bool BlendPieces(Gdiplus::Image* image, const RECT& source, const std::vector<ImagePiece>& pieces, BYTE fade);
    // For drawing into the pixels directly: GDI's drawing so far is flushed, device gets the
    // logical rectangle in pixel coordinates, and the parts of it the clip lets through are
    // returned.
    std::vector<RECT> PixelParts(const RECT& logical, RECT& device);

    ScopedMemoryDc dc_;
    int savedState_ = 0;
    HBITMAP previousBitmap_ = nullptr;  // the DC's own bitmap while ours is selected
    bool renderTransparent_ = false;
    GdiClip clip_;
    GdiBitmap bitmap_;
};

}  // namespace ui
