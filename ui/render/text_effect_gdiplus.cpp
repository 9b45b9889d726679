#include "ui/render/text_effect_gdiplus.h"

#include <algorithm>
#include <memory>

namespace ui {
namespace {

Gdiplus::RectF Measure(Gdiplus::Graphics& graphics, const std::wstring& text, const Gdiplus::Font& font,
                       const Gdiplus::StringFormat& format) {
    Gdiplus::RectF box;
    graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), &font, Gdiplus::RectF(0, 0, 0, 0), &format,
                           &box);
    return box;
}

std::vector<DWORD> GradientColors(DWORD color1, DWORD color2, int width) {
    std::vector<DWORD> colors;
    Gdiplus::Bitmap strip(width, 1, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(&strip);
        Gdiplus::LinearGradientBrush brush(Gdiplus::Rect(0, 0, width, 1), Gdiplus::Color(color1),
                                           Gdiplus::Color(color2), Gdiplus::LinearGradientModeHorizontal);
        brush.SetWrapMode(Gdiplus::WrapModeTile);
        graphics.FillRectangle(&brush, 0, 0, width, 1);
    }
    for (int x = 0; x < width; ++x) {
        Gdiplus::Color pixel;
        strip.GetPixel(x, 0, &pixel);
        colors.push_back(pixel.GetValue() | 0xFF000000u);
    }
    return colors;
}

}  // namespace

std::vector<DWORD> MakeOutlineColors(DWORD color1, DWORD color2, int width, bool gradient) {
    // A strip of no pixels cannot be made: no width, no strokes.
    if (width <= 0) return {};
    if (gradient) return GradientColors(color1, color2, width);
    std::vector<DWORD> colors(static_cast<std::size_t>(width / 2), color1);
    colors.resize(static_cast<std::size_t>(width), color2);
    return colors;
}

void TextEffect_GdiPlus::SetFillGradient(DWORD color1, DWORD color2, float widthRatio, float heightRatio) {
    gradient_ = true;
    gradientColor1_ = color1;
    gradientColor2_ = color2;
    gradientWidthRatio_ = widthRatio;
    gradientHeightRatio_ = heightRatio;
}

void TextEffect_GdiPlus::SetOutline(DWORD color1, DWORD color2, int width, bool gradient) {
    outline_ = true;
    outlineColors_ = MakeOutlineColors(color1, color2, width, gradient);
}

void TextEffect_GdiPlus::DrawText(const RECT& rect, const std::wstring& text, DWORD color,
                                  Gdiplus::Graphics& graphics, const Gdiplus::Font& font,
                                  const Gdiplus::StringFormat& format) {
    Gdiplus::FontFamily family;
    font.GetFamily(&family);
    Gdiplus::GraphicsPath path(Gdiplus::FillModeAlternate);
    // The text always becomes a bold outline of the font's family, whatever the font's style.
    if (letterSpacing_ <= 0) {
        const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(rect.left), static_cast<Gdiplus::REAL>(rect.top),
                                    static_cast<Gdiplus::REAL>(rect.right - rect.left),
                                    static_cast<Gdiplus::REAL>(rect.bottom - rect.top));
        path.AddString(text.c_str(), static_cast<INT>(text.size()), &family, Gdiplus::FontStyleBold, font.GetSize(),
                       layout, &format);
    } else {
        AddSpacedText(path, rect, text, graphics, font, family, format);
    }
    if (outline_) StrokeOutline(graphics, path);
    Fill(graphics, path, rect, color);
}

void TextEffect_GdiPlus::AddSpacedText(Gdiplus::GraphicsPath& path, const RECT& rect, const std::wstring& text,
                                       Gdiplus::Graphics& graphics, const Gdiplus::Font& font,
                                       const Gdiplus::FontFamily& family, const Gdiplus::StringFormat& format) {
    if (spaceWidth_ < 0) {
        const float pair = Measure(graphics, L"aa", font, format).Width;
        const float spaced = Measure(graphics, L"a a", font, format).Width;
        spaceWidth_ = std::max(1, static_cast<int>(spaced - pair));
    }
    if (text != cachedText_) {
        lines_.clear();
        if (CutTextIntoLines(text, lines_)) cachedText_ = text;
    }

    const bool rightToLeft = format.GetAlignment() == Gdiplus::StringAlignmentFar;
    int y = rect.top;
    int lineHeight = 0;
    bool firstLine = true;
    for (const auto& line : lines_) {
        if (!firstLine) y += lineHeight;
        firstLine = false;
        int x = rightToLeft ? rect.right : rect.left;
        const auto place = [&](const std::wstring& piece) {
            int advance = spaceWidth_;
            if (piece != L" ") {
                const Gdiplus::RectF box = Measure(graphics, piece, font, format);
                lineHeight = std::max(lineHeight, static_cast<int>(box.Height));
                // A zero-sized layout box puts the piece's near (or, far aligned, its far) edge at x.
                path.AddString(piece.c_str(), static_cast<INT>(piece.size()), &family, Gdiplus::FontStyleBold,
                               font.GetSize(),
                               Gdiplus::RectF(static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(y), 0, 0),
                               &format);
                advance = static_cast<int>(box.Width);
            }
            x += rightToLeft ? -(letterSpacing_ + advance) : letterSpacing_ + advance;
        };
        if (rightToLeft) {
            std::for_each(line.rbegin(), line.rend(), place);
        } else {
            std::for_each(line.begin(), line.end(), place);
        }
    }
}

void TextEffect_GdiPlus::StrokeOutline(Gdiplus::Graphics& graphics, const Gdiplus::GraphicsPath& path) const {
    // The widest stroke, in the last colour, first; the 1-pixel one, in the first colour, last.
    for (std::size_t n = outlineColors_.size(); n >= 1; --n) {
        Gdiplus::Pen pen(Gdiplus::Color(outlineColors_[n - 1]), static_cast<Gdiplus::REAL>(n));
        pen.SetLineJoin(Gdiplus::LineJoinRound);
        graphics.DrawPath(&pen, &path);
    }
}

void TextEffect_GdiPlus::Fill(Gdiplus::Graphics& graphics, const Gdiplus::GraphicsPath& path, const RECT& rect,
                              DWORD color) const {
    if (!gradient_) {
        Gdiplus::SolidBrush brush{Gdiplus::Color(color)};
        graphics.FillPath(&brush, &path);
        return;
    }
    // The gradient repeats every such rectangle.
    const Gdiplus::RectF tile(static_cast<Gdiplus::REAL>(rect.left), static_cast<Gdiplus::REAL>(rect.top),
                              static_cast<Gdiplus::REAL>(rect.right - rect.left) * gradientWidthRatio_,
                              static_cast<Gdiplus::REAL>(rect.bottom - rect.top) * gradientHeightRatio_);
    Gdiplus::LinearGradientBrush brush(tile, Gdiplus::Color(gradientColor1_), Gdiplus::Color(gradientColor2_),
                                       Gdiplus::LinearGradientModeForwardDiagonal);
    if (brush.GetLastStatus() != Gdiplus::Ok) return;
    brush.SetWrapMode(Gdiplus::WrapModeTile);
    graphics.FillPath(&brush, &path);
}

}  // namespace ui
