#pragma once

#include <windows.h>

#include <memory>

#include "base/weak_callback.h"
#include "ui/render/bitmap.h"

namespace ui {

// A solid brush (its colour) or a texture brush (colour 0).
class IBrush : public kbase::SupportWeakCallback {
public:
    explicit IBrush(DWORD color) : color_(color) {}

    virtual IBrush* Clone() = 0;
    virtual DWORD GetColor() = 0;
    // The brush's own picture object; no brush of this system carries one.
    virtual IBitmap* GetBitmap() = 0;

protected:
    DWORD color_;
    std::unique_ptr<IBitmap> bitmap_;
};

}  // namespace ui
