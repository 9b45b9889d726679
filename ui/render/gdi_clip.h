#pragma once

#include <windows.h>

#include "ui/render/clip.h"

namespace ui {

class GdiClip : public IClip {
public:
    void CreateClip(HDC dc, RECT rect) override;
    void CreateRoundClip(HDC dc, RECT rect, int width, int height) override;
    void ClearClip(HDC dc) override;
};

}  // namespace ui
