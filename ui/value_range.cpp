#include "ui/value_range.h"

#include <algorithm>

namespace ui {
namespace {

LONG Truncate(double value) {
    return static_cast<LONG>(value);
}

}  // namespace

double ValueRange::EffectiveMaximum() const {
    return maximum > minimum ? static_cast<double>(maximum) : static_cast<double>(minimum) + 1.0;
}

double ValueRange::Clamp(double value) const {
    return std::clamp(value, static_cast<double>(minimum), EffectiveMaximum());
}

RECT ProgressFill(const ValueRange& range, double value, bool horizontal, SIZE size) {
    if (horizontal) return RECT{0, 0, Truncate((value - range.minimum) * size.cx / range.Span()), size.cy};
    return RECT{0, Truncate((range.EffectiveMaximum() - value) * size.cy / range.Span()), size.cx, size.cy};
}

RECT SliderFill(const ValueRange& range, double value, bool horizontal, SIZE size, SIZE thumb) {
    if (horizontal) {
        const double right = (size.cx - thumb.cx) * (value - range.minimum) / range.Span() + thumb.cx / 2 + 0.5;
        return RECT{0, 0, Truncate(right), size.cy};
    }
    const double top = (size.cy - thumb.cy) * (range.EffectiveMaximum() - value) / range.Span() + thumb.cy / 2 + 0.5;
    return RECT{0, Truncate(top), size.cx, size.cy};
}

RECT SliderThumb(const ValueRange& range, double value, bool horizontal, const RECT& control, SIZE thumb) {
    const double progress = (value - range.minimum) / range.Span();
    if (horizontal) {
        const LONG y = (control.bottom - thumb.cy + control.top) / 2;
        const LONG x = Truncate(progress * (control.right - thumb.cx - control.left) + control.left);
        return RECT{x, y, x + thumb.cx, y + thumb.cy};
    }
    const LONG x = (control.right - thumb.cx + control.left) / 2;
    const LONG y = Truncate((control.bottom - thumb.cy) - progress * (control.bottom - thumb.cy - control.top));
    return RECT{x, y, x + thumb.cx, y + thumb.cy};
}

double SliderValueAt(const ValueRange& range, bool horizontal, const RECT& control, SIZE thumb, POINT point) {
    const double maximum = range.EffectiveMaximum();
    if (horizontal) {
        const int half = thumb.cx / 2;
        const int track = control.right - control.left - thumb.cx;
        if (point.x >= control.right - half) return maximum;
        if (point.x <= control.left + half || track <= 0) return range.minimum;
        return range.minimum + static_cast<double>(point.x - half - control.left) * range.Span() / track;
    }
    const int half = thumb.cy / 2;
    const int track = control.bottom - control.top - thumb.cy;
    if (point.y >= control.bottom - half) return range.minimum;
    if (point.y <= control.top + half || track <= 0) return maximum;
    return range.minimum + range.Span() * (control.bottom - half - point.y) / track;
}

}  // namespace ui
