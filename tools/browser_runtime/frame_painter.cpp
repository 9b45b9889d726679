#include "tools/browser_runtime/frame_painter.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "base/dib_info.h"
#include "base/unique_handle.h"

namespace {

struct DcTraits {
    using Raw = HDC;
    static Raw Invalid() { return nullptr; }
    static void Close(Raw dc) { ::DeleteDC(dc); }
};
struct GdiObjectTraits {
    using Raw = HGDIOBJ;
    static Raw Invalid() { return nullptr; }
    static void Close(Raw object) { ::DeleteObject(object); }
};

// Re-selects what a device context held before, at the end of the scope.
class SelectionScope {
public:
    SelectionScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectionScope() { ::SelectObject(dc_, previous_); }
    SelectionScope(const SelectionScope&) = delete;
    SelectionScope& operator=(const SelectionScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

COLORREF ToColorRef(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// Light text on dark backgrounds, dark on light ones.
COLORREF TextColour(std::uint32_t rgb) {
    const unsigned luminance = ((rgb >> 16) & 0xFF) * 3 + ((rgb >> 8) & 0xFF) * 6 + (rgb & 0xFF);
    return luminance < 128 * 10 ? RGB(240, 240, 240) : RGB(20, 20, 20);
}

}  // namespace

std::vector<std::uint8_t> PaintFrame(int width, int height, const FrameLook& look) {
    width = std::clamp(width, 1, kMaxFrameSide);
    height = std::clamp(height, 1, kMaxFrameSide);
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;

    kbase::UniqueHandle<DcTraits> dc(::CreateCompatibleDC(nullptr));
    const BITMAPINFO info = kbase::Rgb32DibInfo(width, height);
    void* bits = nullptr;
    kbase::UniqueHandle<GdiObjectTraits> bitmap(::CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc || !bitmap || !bits) return {};
    {
        SelectionScope bitmapSelection(dc.Get(), bitmap.Get());
        const std::uint32_t background = look.transparent ? 0 : look.background;
        kbase::UniqueHandle<GdiObjectTraits> brush(::CreateSolidBrush(ToColorRef(background)));
        RECT all{0, 0, width, height};
        ::FillRect(dc.Get(), &all, static_cast<HBRUSH>(brush.Get()));
        if (!look.title.empty()) {
            kbase::UniqueHandle<GdiObjectTraits> font(::CreateFontW(-20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                                                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                                                    CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                                                    DEFAULT_PITCH, L"Tahoma"));
            SelectionScope fontSelection(dc.Get(), font.Get());
            ::SetBkMode(dc.Get(), TRANSPARENT);
            ::SetTextColor(dc.Get(), TextColour(background));
            RECT text{16, 12, width - 16, height - 12};
            ::DrawTextW(dc.Get(), look.title.c_str(), static_cast<int>(look.title.size()), &text,
                        DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
        }
        ::GdiFlush();
    }
    std::vector<std::uint8_t> pixels(bytes);
    std::memcpy(pixels.data(), bits, bytes);
    // A transparent page is painted on black: what stays black is see-through.
    for (std::size_t at = 0; at < bytes; at += 4) {
        const bool ink = pixels[at] != 0 || pixels[at + 1] != 0 || pixels[at + 2] != 0;
        pixels[at + 3] = !look.transparent || ink ? 255 : 0;
    }
    return pixels;
}
