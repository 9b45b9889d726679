#include "tests/ui/support/render_snapshot.h"

#include <memory>
#include <vector>

#include "ui/global_manager.h"
#include "ui/render/gdiplus_headers.h"
#include "ui/render/render_context.h"

namespace ui_test {
namespace {

bool FindPngEncoder(CLSID& clsid) {
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
    std::vector<BYTE> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(encoders[i].MimeType) == L"image/png") {
            clsid = encoders[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

Pixel PixelAt(ui::IRenderContext& context, int x, int y) {
    const BYTE* bits = context.GetBits();
    if (!bits || x < 0 || y < 0 || x >= context.GetWidth() || y >= context.GetHeight()) return {};
    const BYTE* p = bits + (static_cast<std::size_t>(y) * context.GetWidth() + x) * 4;
    return Pixel{p[0], p[1], p[2], p[3]};
}

bool WriteRenderContextPng(ui::IRenderContext& context, const std::wstring& path, int zoom) {
    ui::GlobalManager::StartupRender();
    BYTE* bits = context.GetBits();
    if (!bits || zoom < 1) return false;
    CLSID png{};
    if (!FindPngEncoder(png)) return false;
    const int width = context.GetWidth(), height = context.GetHeight();
    // The pixels are premultiplied, as AlphaBlend and GDI+ leave them.
    Gdiplus::Bitmap pixels(width, height, width * 4, PixelFormat32bppPARGB, bits);
    Gdiplus::Bitmap enlarged(width * zoom, height * zoom, PixelFormat32bppPARGB);
    {
        Gdiplus::Graphics graphics(&enlarged);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        graphics.DrawImage(&pixels, 0, 0, width * zoom, height * zoom);
    }
    return enlarged.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

}  // namespace ui_test
