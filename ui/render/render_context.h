#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/weak_callback.h"

namespace Gdiplus {
class Image;
}

namespace ui {

class IBrush;
class IPath;
class IPen;
class ITextEffect;

// The drawing surface: a memory DC with a 32-bit bitmap. Rectangles are in the DC's logical
// coordinates (shifted by the window origin), colours are ARGB, a fade scales opacity (255
// keeps it), text styles are DrawText flag bits. Callers pass coordinates already scaled for
// DPI; only image corner insets are scaled here.
class IRenderContext : public kbase::SupportWeakCallback {
public:
    virtual HDC GetDC() = 0;
    // (Re)creates the bitmap; false when the size is unchanged (the pixels stay) or creation
    // failed.
    virtual bool Resize(int width, int height, bool flipHeight = true) = 0;
    virtual void Clear() = 0;
    virtual IRenderContext* Clone() = 0;
    virtual HBITMAP DetachBitmap() = 0;
    virtual BYTE* GetBits() = 0;
    // Runs a drawing by GDI on the DC (GDI leaves alpha 0 on what it writes); afterwards the
    // pixels it wrote inside area keep the alpha they had, so the drawing shows in a layered
    // window.
    virtual void DrawGdi(const RECT& area, const std::function<void(HDC)>& draw) = 0;
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
    virtual void ClearAlpha(const RECT& dirty, int alpha = 0) = 0;
    virtual void RestoreAlpha(const RECT& dirty, const RECT& shadowInsets, int alpha = 0) = 0;

    virtual bool IsRenderTransparent() const = 0;
    // Returns the previous value.
    virtual bool SetRenderTransparent(bool transparent) = 0;

    virtual void Save() = 0;
    virtual void Restore() = 0;
    // Both return the origin as it was.
    virtual POINT OffsetWindowOrg(POINT offset) = 0;
    virtual POINT SetWindowOrg(POINT origin) = 0;
    virtual POINT GetWindowOrg() const = 0;

    virtual void SetClip(const RECT& rect) = 0;
    virtual void SetRoundClip(const RECT& rect, int width, int height) = 0;
    virtual void ClearClip() = 0;

    virtual bool BitBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                        DWORD rasterOperation = SRCCOPY) = 0;
    virtual bool AlphaBlend(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                            int sourceWidth, int sourceHeight, BYTE alpha = 255) = 0;

    // Nine-part drawing: the corner insets cut the source into corners kept at their size,
    // edges stretched along one axis and a middle stretched (or tiled) along both.
    virtual void DrawImage(const RECT& paint, HBITMAP bitmap, bool alphaChannel, const RECT& dest,
                           const RECT& source, const RECT& corners, BYTE fade = 255, bool xTiled = false,
                           bool yTiled = false) = 0;
    virtual void DrawImage(const RECT& paint, Gdiplus::Image* image, const RECT& dest, const RECT& source,
                           const RECT& corners, BYTE fade = 255, bool xTiled = false, bool yTiled = false) = 0;

    virtual void DrawColor(const RECT& rect, const std::wstring& colorName, BYTE fade = 255) = 0;
    virtual void DrawColor(const RECT& rect, DWORD color, BYTE fade = 255) = 0;

    virtual void DrawLine(const IPen* pen, int x1, int y1, int x2, int y2) = 0;
    virtual void DrawLine(const RECT& rect, int width, DWORD color) = 0;
    virtual void DrawBezier(const IPen* pen, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
    virtual void DrawRect(const RECT& rect, int width, DWORD color) = 0;
    virtual void DrawRoundRect(const RECT& rect, const SIZE& round, int width, DWORD color) = 0;
    virtual void DrawText(const RECT& rect, const std::wstring& text, DWORD color, const std::wstring& fontId,
                          UINT style, BYTE fade = 255, bool lineLimit = false) = 0;
    virtual void DrawText(const RECT& rect, const std::wstring& text, DWORD color, const std::wstring& fontId,
                          UINT style, ITextEffect* effect, bool lineLimit = false) = 0;
    virtual void DrawEllipse(const RECT& rect, int width, DWORD color) = 0;
    virtual void FillEllipse(const RECT& rect, DWORD color) = 0;
    // Width -1: unconstrained.
    virtual RECT MeasureText(const std::wstring& text, const std::wstring& fontId, UINT style, int width = -1) = 0;
    virtual void DrawPath(const IPath* path, const IPen* pen) = 0;
    virtual void FillPath(const IPath* path, const IBrush* brush) = 0;
};

}  // namespace ui
