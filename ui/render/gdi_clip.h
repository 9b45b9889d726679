#pragma once

#include <windows.h>

#include <vector>

#include "ui/render/clip.h"

namespace ui {

// The parts of rect (device coordinates) inside the DC's clip region: rect itself when the DC
// has none, nothing when they do not meet.
std::vector<RECT> VisibleParts(HDC dc, const RECT& rect);

class GdiClip : public IClip {
public:
    void CreateClip(HDC dc, RECT rect) override;
    void CreateRoundClip(HDC dc, RECT rect, int width, int height) override;
    void ClearClip(HDC dc) override;
};

}  // namespace ui
