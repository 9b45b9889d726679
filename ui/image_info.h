#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace Gdiplus {
class Bitmap;
struct PropertyItem;
}  // namespace Gdiplus

namespace ui {

// The decoded pixels of one image file, shared by every image record naming the same path:
// one 32-bit DIB and one GDI+ bitmap per frame, and the frame delays of an animation.
class ImageInfo {
public:
    ~ImageInfo();
    ImageInfo(const ImageInfo&) = delete;
    ImageInfo& operator=(const ImageInfo&) = delete;

    // Takes ownership of bitmap (even on failure); null when the bitmap is in error or a frame
    // cannot be selected or copied.
    static std::unique_ptr<ImageInfo> LoadFromBitmap(std::unique_ptr<Gdiplus::Bitmap> bitmap,
                                                     const std::wstring& path);

    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    const std::wstring& GetPath() const { return path_; }
    bool HasAlpha() const { return alpha_; }
    bool IsCached() const { return cached_; }
    void SetCached(bool cached) { cached_ = cached; }

    std::size_t GetFrameCount() const { return bitmaps_.size(); }
    HBITMAP GetHBitmap(std::size_t frame) const;
    Gdiplus::Bitmap* GetBitmap(std::size_t frame) const;
    // The delay of a frame in hundredths of a second; 0 when the image carries none for it.
    int GetFrameDelay(std::size_t frame) const;
    bool HasFrameDelay(std::size_t frame) const { return frame < frameDelays_.size(); }

private:
    ImageInfo() = default;

    int width_ = 0;
    int height_ = 0;
    std::wstring path_;
    bool alpha_ = false;
    bool cached_ = false;
    std::vector<int> frameDelays_;
    std::vector<HBITMAP> frames_;
    std::vector<std::unique_ptr<Gdiplus::Bitmap>> bitmaps_;
};

}  // namespace ui
