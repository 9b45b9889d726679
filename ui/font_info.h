#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace Gdiplus {
class Font;
}

namespace ui {

// A font of the global font table: the GDI font and the GDI+ font made from the same face.
struct FontInfo {
    FontInfo() = default;
    ~FontInfo();
    FontInfo(const FontInfo&) = delete;
    FontInfo& operator=(const FontInfo&) = delete;

    HFONT hFont = nullptr;  // owned
    std::wstring faceName;
    int size = 0;  // pixels, after DPI scaling
    bool bold = false;
    bool underline = false;
    bool italic = false;
    TEXTMETRICW metrics{};
    std::unique_ptr<Gdiplus::Font> font;
};

// Face names behind the font names "system" and "button"; an empty face, or one that cannot
// be made into a font, falls back to the platform's UI face.
struct FontFaces {
    std::wstring systemRegular, systemBold, systemItalic;
    std::wstring buttonRegular, buttonBold, buttonItalic;
};

}  // namespace ui
