#pragma once

#include <windows.h>

#include "base/weak_callback.h"

namespace ui {

// Narrows a device context's clip; each clip saves the DC state and ClearClip restores the
// latest one, so clips nest and are cleared in reverse order.
class IClip : public kbase::SupportWeakCallback {
public:
    virtual void CreateClip(HDC dc, RECT rect) = 0;
    virtual void CreateRoundClip(HDC dc, RECT rect, int width, int height) = 0;
    virtual void ClearClip(HDC dc) = 0;
};

}  // namespace ui
