#pragma once

#include <windows.h>

#include <string>

#include "base/weak_callback.h"

namespace Gdiplus {
class Graphics;
class Font;
class StringFormat;
}  // namespace Gdiplus

namespace ui {

// Decorated text: the text as a bold path, outlined and filled (solid or gradient), optionally
// laid out piece by piece with letter spacing. Only the render context draws it.
class ITextEffect : public kbase::SupportWeakCallback {
public:
    virtual void SetFillGradient(DWORD color1, DWORD color2, float widthRatio, float heightRatio) = 0;
    virtual void SetOutline(DWORD color1, DWORD color2, int width, bool gradient) = 0;
    virtual void SetLetterSpacing(int spacing) = 0;
    virtual int GetLetterSpacing() = 0;
    virtual void DrawText(const RECT& rect, const std::wstring& text, DWORD color, Gdiplus::Graphics& graphics,
                          const Gdiplus::Font& font, const Gdiplus::StringFormat& format) = 0;
};

}  // namespace ui
