#pragma once

#include <windows.h>

#include "base/weak_callback.h"

namespace ui {

// A 32-bit DIB section: 4 bytes a pixel (blue, green, red, alpha), rows of width * 4 bytes.
class IBitmap : public kbase::SupportWeakCallback {
public:
    // (Re)creates the bitmap on dc; flipHeight makes the rows top-down. False, with no bitmap
    // left, when dc is null, a side is not positive or the DIB section cannot be made.
    virtual bool Init(HDC dc, int width, int height, bool flipHeight) = 0;
    virtual void Clear() = 0;
    // Hands the bitmap to the caller, who deletes it; this object keeps nothing.
    virtual HBITMAP DetachBitmap() = 0;
    virtual HBITMAP GetBitmap() = 0;
    virtual void* GetBits() = 0;
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
    // Sets every byte of the pixels of dirty (clipped to the bitmap) to the low byte of alpha.
    virtual void ClearAlpha(const RECT& dirty, int alpha) = 0;
    // Rebuilds the alpha channel after GDI drawing over dirty: a pixel still holding the key
    // alpha (when key is not 0) becomes transparent, every other one opaque; the four corner
    // squares cut off by the shadow insets keep their alpha.
    virtual void RestoreAlpha(const RECT& dirty, const RECT& shadowInsets, int key) = 0;
};

}  // namespace ui
