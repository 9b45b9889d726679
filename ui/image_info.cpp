#include "ui/image_info.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

#include <objidl.h>  // PROPID, which the GDI+ headers need under WIN32_LEAN_AND_MEAN
#include <gdiplus.h>

#include "ui/image_frame_data.h"

namespace ui {
namespace {

// Every bitmap has at least one frame, also when its frame dimensions cannot be read.
UINT CountFrames(Gdiplus::Bitmap& bitmap) {
    const UINT dimensions = bitmap.GetFrameDimensionsCount();
    if (dimensions == 0) return 1;
    std::vector<GUID> ids(dimensions);
    if (bitmap.GetFrameDimensionsList(ids.data(), dimensions) != Gdiplus::Ok) return 1;
    return std::max<UINT>(1, bitmap.GetFrameCount(&ids[0]));
}

std::optional<std::vector<int>> ReadDelays(Gdiplus::Bitmap& bitmap, std::size_t frameCount) {
    const UINT size = bitmap.GetPropertyItemSize(PropertyTagFrameDelay);
    if (size < sizeof(Gdiplus::PropertyItem)) return std::nullopt;
    // Held as 64-bit words so the item at its start is aligned.
    std::vector<std::uint64_t> buffer((size + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
    auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
    if (bitmap.GetPropertyItem(PropertyTagFrameDelay, size, item) != Gdiplus::Ok) return std::nullopt;
    const std::size_t length = std::min<std::size_t>(item->length, size - sizeof(Gdiplus::PropertyItem));
    return ReadFrameDelays({static_cast<const std::byte*>(item->value), item->value ? length : 0}, frameCount);
}

// The palette decides for indexed pixels; a palette that cannot be read keeps `alpha`.
bool PaletteHasAlpha(Gdiplus::Bitmap& bitmap, bool alpha) {
    const INT size = bitmap.GetPaletteSize();
    if (size < static_cast<INT>(sizeof(Gdiplus::ColorPalette))) return alpha;
    std::vector<std::uint64_t> buffer((static_cast<std::size_t>(size) + sizeof(std::uint64_t) - 1) /
                                      sizeof(std::uint64_t));
    auto* palette = reinterpret_cast<Gdiplus::ColorPalette*>(buffer.data());
    if (bitmap.GetPalette(palette, size) != Gdiplus::Ok) return alpha;
    return (palette->Flags & Gdiplus::PaletteFlagsHasAlpha) != 0;
}

bool DibHasTranslucentPixel(HBITMAP frame) {
    BITMAP dib{};
    if (::GetObjectW(frame, sizeof(dib), &dib) != sizeof(dib) || dib.bmBits == nullptr) return false;
    const std::uint64_t bytes = DibByteCount(dib.bmWidthBytes, dib.bmHeight);
    return HasTranslucentPixel({static_cast<const std::uint8_t*>(dib.bmBits), static_cast<std::size_t>(bytes)});
}

}  // namespace

ImageInfo::~ImageInfo() {
    for (HBITMAP frame : frames_) ::DeleteObject(frame);
}

std::unique_ptr<ImageInfo> ImageInfo::LoadFromBitmap(std::unique_ptr<Gdiplus::Bitmap> bitmap,
                                                     const std::wstring& path) {
    if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
    const UINT frameCount = CountFrames(*bitmap);

    std::unique_ptr<ImageInfo> info(new ImageInfo());
    if (frameCount > 1) {
        std::optional<std::vector<int>> delays = ReadDelays(*bitmap, frameCount);
        if (!delays) return nullptr;
        info->frameDelays_ = std::move(*delays);
    }
    info->frames_.reserve(frameCount);
    for (UINT i = 0; i < frameCount; ++i) {
        HBITMAP frame = nullptr;
        if (bitmap->SelectActiveFrame(&Gdiplus::FrameDimensionTime, i) != Gdiplus::Ok ||
            bitmap->GetHBITMAP(Gdiplus::Color(0xFF000000), &frame) != Gdiplus::Ok) {
            return nullptr;
        }
        info->frames_.push_back(frame);
    }
    info->width_ = static_cast<int>(bitmap->GetWidth());
    info->height_ = static_cast<int>(bitmap->GetHeight());
    info->path_ = path;

    const Gdiplus::PixelFormat format = bitmap->GetPixelFormat();
    info->alpha_ = (format & PixelFormatAlpha) != 0;
    if (format & PixelFormatIndexed) info->alpha_ = PaletteHasAlpha(*bitmap, info->alpha_);

    if (frameCount == 1) {
        info->bitmaps_.push_back(std::move(bitmap));
    } else {
        for (UINT i = 0; i < frameCount; ++i) {
            if (bitmap->SelectActiveFrame(&Gdiplus::FrameDimensionTime, i) != Gdiplus::Ok) return nullptr;
            std::unique_ptr<Gdiplus::Bitmap> copy(
                bitmap->Clone(0, 0, info->width_, info->height_, PixelFormat32bppARGB));
            if (!copy) return nullptr;
            info->bitmaps_.push_back(std::move(copy));
        }
    }

    if (format == PixelFormat32bppARGB) {
        info->alpha_ = std::any_of(info->frames_.begin(), info->frames_.end(), DibHasTranslucentPixel);
    }
    return info;
}

HBITMAP ImageInfo::GetHBitmap(std::size_t frame) const {
    return frame < frames_.size() ? frames_[frame] : nullptr;
}

Gdiplus::Bitmap* ImageInfo::GetBitmap(std::size_t frame) const {
    return frame < bitmaps_.size() ? bitmaps_[frame].get() : nullptr;
}

int ImageInfo::GetFrameDelay(std::size_t frame) const {
    return frame < frameDelays_.size() ? frameDelays_[frame] : 0;
}

}  // namespace ui
