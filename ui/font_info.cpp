#include "ui/font_info.h"

#include "ui/render/gdiplus_headers.h"

namespace ui {

FontInfo::~FontInfo() {
    if (hFont) ::DeleteObject(hFont);
}

}  // namespace ui
