// Text drawing and measuring of the render context: the DrawText style bits turned into a GDI+
// string format, plain text drawn never fully opaque, decorated text handed to the effect.
#include "app/text_anti_alias.h"
#include "ui/font_info.h"
#include "ui/global_manager.h"
#include "ui/render/gdiplus_headers.h"
#include "ui/render/pixel_graphics.h"
#include "ui/render/render_context_gdiplus.h"
#include "ui/render/text_effect.h"

namespace ui {
namespace {

Gdiplus::Font* FontOf(const std::wstring& fontId) {
    FontInfo* info = GlobalManager::GetFont(fontId);
    return info ? info->font.get() : nullptr;
}

// A copy of the generic typographic format with the given flags in place of its own.
class TextFormat {
public:
    explicit TextFormat(INT flags) : format_(Gdiplus::StringFormat::GenericTypographic()) {
        format_.SetFormatFlags(flags);
    }
    Gdiplus::StringFormat& Get() { return format_; }

private:
    Gdiplus::StringFormat format_;
};

INT DrawFlags(UINT style, bool lineLimit) {
    INT flags = 0;
    if (style & DT_SINGLELINE) flags |= Gdiplus::StringFormatFlagsNoWrap;
    if (style & DT_NOCLIP) flags |= Gdiplus::StringFormatFlagsNoClip;
    if (lineLimit) flags |= Gdiplus::StringFormatFlagsLineLimit;
    return flags;
}

// Alignment and trimming; other bits are not for drawing.
void ApplyDrawStyle(UINT style, Gdiplus::StringFormat& f) {
    if (style & DT_CENTER) {
        f.SetAlignment(Gdiplus::StringAlignmentCenter);
    } else if (style & DT_RIGHT) {
        f.SetAlignment(Gdiplus::StringAlignmentFar);
    }
    if (style & DT_VCENTER) {
        f.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    } else if (style & DT_BOTTOM) {
        f.SetLineAlignment(Gdiplus::StringAlignmentFar);
    }
    if (style & DT_END_ELLIPSIS) f.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
}

Gdiplus::RectF LayoutOf(const RECT& rect) {
    return Gdiplus::RectF(static_cast<Gdiplus::REAL>(rect.left), static_cast<Gdiplus::REAL>(rect.top),
                          static_cast<Gdiplus::REAL>(rect.right - rect.left),
                          static_cast<Gdiplus::REAL>(rect.bottom - rect.top));
}

void ApplyTextAntiAlias(Gdiplus::Graphics& graphics) {
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
}

// The text colour with its alpha scaled by the fade, and never fully opaque.
DWORD FadedTextColor(DWORD color, BYTE fade) {
    auto alpha = static_cast<DWORD>((color >> 24) / 255.0 * fade);
    if (alpha == 255) alpha = 254;
    return (alpha << 24) | (color & 0x00FFFFFFu);
}

Gdiplus::RectF Measure(Gdiplus::Graphics& graphics, const std::wstring& text, const Gdiplus::Font& font,
                       const Gdiplus::RectF& layout, Gdiplus::StringFormat& format) {
    Gdiplus::RectF box;
    graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), &font, layout, &format, &box);
    return box;
}

}  // namespace

void RenderContext_GdiPlus::DrawText(const RECT& rect, const std::wstring& text, DWORD color,
                                     const std::wstring& fontId, UINT style, BYTE fade, bool lineLimit) {
    if (text.empty()) return;
    PixelGraphics graphics(dc_.Get(), bitmap_.GetPixelBitmap());
    if (TextAntiAliasEnabled()) ApplyTextAntiAlias(*graphics);
    Gdiplus::Font* font = FontOf(fontId);
    if (!font) return;
    TextFormat format(DrawFlags(style, lineLimit));
    ApplyDrawStyle(style, format.Get());
    Gdiplus::SolidBrush brush{Gdiplus::Color(FadedTextColor(color, fade))};
    graphics->DrawString(text.c_str(), static_cast<INT>(text.size()), font, LayoutOf(rect), &format.Get(), &brush);
}

void RenderContext_GdiPlus::DrawText(const RECT& rect, const std::wstring& text, DWORD color,
                                     const std::wstring& fontId, UINT style, ITextEffect* effect, bool lineLimit) {
    if (text.empty() || !effect) return;
    PixelGraphics graphics(dc_.Get(), bitmap_.GetPixelBitmap());
    if (TextAntiAliasEnabled()) {
        ApplyTextAntiAlias(*graphics);
        graphics->SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    }
    Gdiplus::Font* font = FontOf(fontId);
    if (!font) return;
    TextFormat format(DrawFlags(style, lineLimit));
    ApplyDrawStyle(style, format.Get());
    effect->DrawText(rect, text, color, *graphics, *font, format.Get());
}

RECT RenderContext_GdiPlus::MeasureText(const std::wstring& text, const std::wstring& fontId, UINT style,
                                        int width) {
    Gdiplus::Graphics graphics(dc_.Get());
    Gdiplus::Font* font = FontOf(fontId);
    if (!font) return RECT{0, 0, 1, 1};
    const bool singleLine = (style & DT_SINGLELINE) != 0;
    TextFormat format(singleLine ? Gdiplus::StringFormatFlagsNoWrap : 0);

    Gdiplus::RectF layout(0, 0, 0, 0);  // unbounded
    if (width != -1) {
        layout.Width = static_cast<Gdiplus::REAL>(width);
        // With a width, a single line is as high as a line of the sample text.
        if (singleLine) {
            layout.Height = Measure(graphics, L"\x6D4B\x8BD5", *font, Gdiplus::RectF(0, 0, 0, 0), format.Get()).Height;
        }
    }
    const Gdiplus::RectF box = Measure(graphics, text, *font, layout, format.Get());
    return RECT{static_cast<LONG>(box.X), static_cast<LONG>(box.Y), static_cast<LONG>(box.X + box.Width + 1),
                static_cast<LONG>(box.Y + box.Height + 1)};
}

}  // namespace ui
