#pragma once

#include <map>
#include <string>

#include "ui/image.h"

namespace ui {

class Control;
class IRenderContext;

// A control's image per state of one kind (0 background state images, 1 fore state images).
class StateImageMap {
public:
    void SetOwner(Control* owner) { owner_ = owner; }
    // Replaces the record of a state with a freshly parsed attribute string.
    void SetImage(int state, const std::wstring& attribute);
    Image* GetImage(int state);  // null when the state has no record
    bool HasHotImage() const;
    // The first of normal, hot, pushed, disabled with a file; null when none.
    Image* GetEstimateImage();
    void ReleaseCache();
    // Draws the image of the state through the owner, with the hot cross-fade and the
    // fallbacks of missing state images.
    void Paint(IRenderContext* context, int state, const std::wstring& override = L"");

private:
    Control* owner_ = nullptr;
    std::map<int, Image> images_;
};

}  // namespace ui
