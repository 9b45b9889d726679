#pragma once

#include <string>

#include "ui/image.h"
#include "ui/label.h"
#include "ui/value_range.h"

namespace ui {

// A value between a minimum and a maximum shown as the filled part of the control (a colour,
// an image or both) under its label text. Callers write the value and the bar repaints.
class Progress : public LabelTemplate<Control> {
public:
    Progress();

    bool IsHorizontal() const { return horizontal_; }
    void SetHorizontal(bool horizontal);
    int GetMinValue() const { return range_.minimum; }
    void SetMinValue(int minimum);
    int GetMaxValue() const { return range_.maximum; }
    void SetMaxValue(int maximum);
    double GetValue() const { return value_; }
    void SetValue(double value);
    bool IsStretchForeImage() const { return stretchForeImage_; }
    void SetStretchForeImage(bool stretch);
    void SetProgressImage(const std::wstring& attribute);
    const std::wstring& GetProgressColor() const { return progressColor_; }
    void SetProgressColor(const std::wstring& colorName);

    // The filled rectangle relative to the control's top-left corner.
    virtual RECT GetProgressPos();

    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    // The fill instead of the state images; the value is clamped into the range first.
    void PaintStatusImage(IRenderContext* context) override;
    void ClearImageCache() override;

protected:
    // An image modifier that draws into dest (relative to the control) at its own scale.
    static std::wstring DestinationModifier(const RECT& dest);
    SIZE GetSize() const { return SIZE{rect_.right - rect_.left, rect_.bottom - rect_.top}; }

    bool horizontal_ = true;
    bool stretchForeImage_ = true;
    ValueRange range_;
    double value_ = 0.0;
    Image progressImage_;
    std::wstring progressColor_;
};

}  // namespace ui
