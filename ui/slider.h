#pragma once

#include <string>

#include "ui/progress.h"
#include "ui/state_image_map.h"

namespace ui {

// A progress bar with a thumb: dragged or clicked to a value, stepped by the mouse wheel;
// a release and each wheel notch raise kEventValueChange.
class Slider : public Progress {
public:
    Slider();

    int GetStep() const { return step_; }
    void SetStep(int step) { step_ = step; }
    SIZE GetThumbSize() const { return thumbSize_; }
    void SetThumbSize(SIZE size, bool scaleForDpi = true);
    void SetThumbImage(int state, const std::wstring& attribute);
    RECT GetProgressBarPadding() const { return barPadding_; }
    void SetProgressBarPadding(RECT padding, bool scaleForDpi = true);
    // The thumb's rectangle in window coordinates.
    RECT GetThumbRect() const;

    RECT GetProgressPos() override;
    void HandleEvent(EventArgs* args) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    // The bar inside the padding, then the thumb (pushed while held).
    void PaintStatusImage(IRenderContext* context) override;
    void ClearImageCache() override;

private:
    void SetValueFromPoint(POINT point);
    void RaiseValueChange();

    int step_ = 1;
    SIZE thumbSize_{10, 10};
    StateImageMap thumbImages_;
    RECT barPadding_{0, 0, 0, 0};
};

}  // namespace ui
