#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/render/gdi_handles.h"

namespace zel_comp {

// A top-down 32-bit DIB section selected into a memory DC: the off-screen browser's image of
// its view or of a popup widget, in the runtime's byte order (blue, green, red, alpha).
class DibBuffer {
public:
    DibBuffer() = default;
    DibBuffer(const DibBuffer&) = delete;
    DibBuffer& operator=(const DibBuffer&) = delete;

    // Releases what was there, then makes a zero-filled image of the size compatible with
    // reference; false (and released) without a reference, for a side of 0 or less or a
    // size too large for a frame.
    bool Create(HDC reference, int width, int height);
    void Release();
    // Copies a whole frame of this buffer's size; false (nothing copied) when the buffer is not
    // valid or pixels holds less than a frame.
    bool CopyFrame(const std::string& pixels);

    bool IsValid() const { return valid_ && dc_ && bitmap_; }
    HDC GetDC() const { return dc_.Get(); }
    const void* GetPixels() const { return pixels_; }
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }

private:
    ui::ScopedMemoryDc dc_;
    ui::ScopedBitmap bitmap_;
    std::unique_ptr<ui::ScopedSelectObject> selection_;  // destroyed first: puts the old object back
    void* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    bool valid_ = false;
};

}  // namespace zel_comp
