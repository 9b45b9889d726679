#include "ui/render/render_context_gdiplus.h"

#include <memory>
#include <vector>

#include "ui/render/pixel_blend.h"

namespace ui {

RenderContext_GdiPlus::RenderContext_GdiPlus() {
    ScopedScreenDc screen;
    dc_.Reset(::CreateCompatibleDC(screen.Get()));
}

RenderContext_GdiPlus::~RenderContext_GdiPlus() {
    // Our DIB section is deleted by the bitmap member only once the DC lets go of it.
    if (previousBitmap_) ::SelectObject(dc_.Get(), previousBitmap_);
}

bool RenderContext_GdiPlus::Resize(int width, int height, bool flipHeight) {
    if (width == bitmap_.GetWidth() && height == bitmap_.GetHeight()) return false;
    if (previousBitmap_) {
        ::SelectObject(dc_.Get(), previousBitmap_);
        previousBitmap_ = nullptr;
    }
    if (!bitmap_.Init(dc_.Get(), width, height, flipHeight)) return false;
    previousBitmap_ = static_cast<HBITMAP>(::SelectObject(dc_.Get(), bitmap_.GetBitmap()));
    return true;
}

void RenderContext_GdiPlus::Clear() { bitmap_.Clear(); }

IRenderContext* RenderContext_GdiPlus::Clone() {
    auto copy = std::make_unique<RenderContext_GdiPlus>();
    copy->Resize(GetWidth(), GetHeight(), true);
    copy->BitBlt(0, 0, GetWidth(), GetHeight(), dc_.Get(), 0, 0, SRCCOPY);
    return copy.release();
}

HBITMAP RenderContext_GdiPlus::DetachBitmap() {
    if (!previousBitmap_) return nullptr;
    ::SelectObject(dc_.Get(), previousBitmap_);
    previousBitmap_ = nullptr;
    return bitmap_.DetachBitmap();
}

BYTE* RenderContext_GdiPlus::GetBits() { return static_cast<BYTE*>(bitmap_.GetBits()); }

std::vector<RECT> RenderContext_GdiPlus::PixelParts(const RECT& logical, RECT& device) {
    if (!GetBits()) return {};
    ::GdiFlush();
    device = logical;
    const POINT origin = GetWindowOrg();
    ::OffsetRect(&device, -origin.x, -origin.y);
    return VisibleParts(dc_.Get(), device);
}

void RenderContext_GdiPlus::DrawGdi(const RECT& area, const std::function<void(HDC)>& draw) {
    RECT device{};
    const bool visible = !PixelParts(area, device).empty();
    const std::vector<BYTE> alpha = visible ? ReadAlpha(bitmap_.GetPixelRows(), device) : std::vector<BYTE>{};
    draw(dc_.Get());
    if (!visible) return;
    ::GdiFlush();
    RestoreGdiAlpha(bitmap_.GetPixelRows(), device, alpha);
}

void RenderContext_GdiPlus::ClearAlpha(const RECT& dirty, int alpha) { bitmap_.ClearAlpha(dirty, alpha); }

void RenderContext_GdiPlus::RestoreAlpha(const RECT& dirty, const RECT& shadowInsets, int alpha) {
    bitmap_.RestoreAlpha(dirty, shadowInsets, alpha);
}

bool RenderContext_GdiPlus::SetRenderTransparent(bool transparent) {
    const bool previous = renderTransparent_;
    renderTransparent_ = transparent;
    return previous;
}

void RenderContext_GdiPlus::Save() { savedState_ = ::SaveDC(dc_.Get()); }

void RenderContext_GdiPlus::Restore() { ::RestoreDC(dc_.Get(), savedState_); }

POINT RenderContext_GdiPlus::OffsetWindowOrg(POINT offset) {
    const POINT origin = GetWindowOrg();
    ::SetWindowOrgEx(dc_.Get(), origin.x + offset.x, origin.y + offset.y, nullptr);
    return origin;
}

POINT RenderContext_GdiPlus::SetWindowOrg(POINT origin) {
    const POINT previous = GetWindowOrg();
    ::SetWindowOrgEx(dc_.Get(), origin.x, origin.y, nullptr);
    return previous;
}

POINT RenderContext_GdiPlus::GetWindowOrg() const {
    POINT origin{};
    ::GetWindowOrgEx(dc_.Get(), &origin);
    return origin;
}

void RenderContext_GdiPlus::SetClip(const RECT& rect) { clip_.CreateClip(dc_.Get(), rect); }

void RenderContext_GdiPlus::SetRoundClip(const RECT& rect, int width, int height) {
    clip_.CreateRoundClip(dc_.Get(), rect, width, height);
}

void RenderContext_GdiPlus::ClearClip() { clip_.ClearClip(dc_.Get()); }

bool RenderContext_GdiPlus::BitBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                                   DWORD rasterOperation) {
    return ::BitBlt(dc_.Get(), x, y, width, height, source, sourceX, sourceY, rasterOperation) != FALSE;
}

bool RenderContext_GdiPlus::AlphaBlend(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                                       int sourceWidth, int sourceHeight, BYTE alpha) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    return ::AlphaBlend(dc_.Get(), x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, blend) ==
           TRUE;
}

}  // namespace ui
