#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/render/gdiplus_headers.h"
#include "ui/render/text_effect.h"
#include "ui/render/text_pieces.h"

namespace ui {

// The colours of the outline strokes: entry i strokes with width i + 1. With gradient, width
// opaque colours running from color1 to color2 (none when width is not positive); otherwise
// width / 2 of color1, then the rest of color2.
std::vector<DWORD> MakeOutlineColors(DWORD color1, DWORD color2, int width, bool gradient);

class TextEffect_GdiPlus : public ITextEffect {
public:
    void SetFillGradient(DWORD color1, DWORD color2, float widthRatio, float heightRatio) override;
    void SetOutline(DWORD color1, DWORD color2, int width, bool gradient) override;
    void SetLetterSpacing(int spacing) override { letterSpacing_ = spacing; }
    int GetLetterSpacing() override { return letterSpacing_; }
    void DrawText(const RECT& rect, const std::wstring& text, DWORD color, Gdiplus::Graphics& graphics,
                  const Gdiplus::Font& font, const Gdiplus::StringFormat& format) override;

private:
    // Adds the text piece by piece with the letter spacing between pieces.
    void AddSpacedText(Gdiplus::GraphicsPath& path, const RECT& rect, const std::wstring& text,
                       Gdiplus::Graphics& graphics, const Gdiplus::Font& font, const Gdiplus::FontFamily& family,
                       const Gdiplus::StringFormat& format);
    void StrokeOutline(Gdiplus::Graphics& graphics, const Gdiplus::GraphicsPath& path) const;
    void Fill(Gdiplus::Graphics& graphics, const Gdiplus::GraphicsPath& path, const RECT& rect, DWORD color) const;

    bool outline_ = false;
    std::vector<DWORD> outlineColors_;
    bool gradient_ = false;
    DWORD gradientColor1_ = 0;
    DWORD gradientColor2_ = 0;
    float gradientWidthRatio_ = 0.3f;
    float gradientHeightRatio_ = 0.3f;
    int spaceWidth_ = -1;  // measured on the first spaced layout
    int letterSpacing_ = 0;
    std::wstring cachedText_;
    TextLines lines_;
};

}  // namespace ui
