#include "browser/dib_buffer.h"

#include <cstring>

#include "base/dib_info.h"
#include "browser/frame_geometry.h"

namespace zel_comp {

bool DibBuffer::Create(HDC reference, int width, int height) {
    Release();
    const std::optional<std::size_t> bytes = FrameByteSize(width, height);
    if (!reference || !bytes) return false;

    ui::ScopedMemoryDc dc(::CreateCompatibleDC(reference));
    if (!dc) return false;
    BITMAPINFO info = kbase::Rgb32DibInfo(width, height);  // rows top to bottom, as frames arrive
    info.bmiHeader.biSizeImage = static_cast<DWORD>(*bytes);
    void* pixels = nullptr;
    ui::ScopedBitmap bitmap(::CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!bitmap || !pixels) return false;

    selection_ = std::make_unique<ui::ScopedSelectObject>(dc.Get(), bitmap.Get());
    std::memset(pixels, 0, *bytes);
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    pixels_ = pixels;
    width_ = width;
    height_ = height;
    valid_ = true;
    return true;
}

void DibBuffer::Release() {
    selection_.reset();
    bitmap_.Reset();
    dc_.Reset();
    pixels_ = nullptr;
    width_ = 0;
    height_ = 0;
    valid_ = false;
}

bool DibBuffer::CopyFrame(const std::string& pixels) {
    const std::optional<std::size_t> bytes = FrameByteSize(width_, height_);
    if (!IsValid() || !pixels_ || !bytes || pixels.size() < *bytes) return false;
    std::memcpy(pixels_, pixels.data(), *bytes);
    return true;
}

}  // namespace zel_comp
