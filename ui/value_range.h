#pragma once

#include <windows.h>

namespace ui {

// The range of a progress bar or slider and the geometry that follows from a value. A
// maximum at or below the minimum counts as minimum + 1 everywhere, so no step divides by a
// range of zero or less. Arithmetic runs in double: extreme ints never overflow.
struct ValueRange {
    int minimum = 0;
    int maximum = 100;

    double EffectiveMaximum() const;
    double Span() const { return EffectiveMaximum() - minimum; }
    double Clamp(double value) const;
};

// The filled part of a progress bar of the size, relative to its top-left corner: from the
// left edge when horizontal, from the bottom edge otherwise.
RECT ProgressFill(const ValueRange& range, double value, bool horizontal, SIZE size);

// The filled part of a slider's bar: up to the centre of the thumb.
RECT SliderFill(const ValueRange& range, double value, bool horizontal, SIZE size, SIZE thumb);

// The thumb's rectangle in the control's coordinates (control is its rectangle).
RECT SliderThumb(const ValueRange& range, double value, bool horizontal, const RECT& control, SIZE thumb);

// The value a point on the slider stands for: the ends within half a thumb of each edge, the
// range spread over the track between (a vertical slider grows upwards).
double SliderValueAt(const ValueRange& range, bool horizontal, const RECT& control, SIZE thumb, POINT point);

}  // namespace ui
