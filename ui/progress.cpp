#include "ui/progress.h"

#include <cwchar>

#include "ui/attribute_values.h"
#include "ui/dpi_manager.h"
#include "ui/global_manager.h"
#include "ui/render/render_context.h"

namespace ui {
namespace {

// DT_SINGLELINE | DT_CENTER: the bar's text on one centred line.
constexpr UINT kProgressTextStyle = 0x21;

}  // namespace

Progress::Progress() {
    textStyle_ = kProgressTextStyle;
    SetFixedHeight(12);
}

void Progress::SetHorizontal(bool horizontal) {
    if (horizontal_ == horizontal) return;
    horizontal_ = horizontal;
    Invalidate();
}

void Progress::SetMinValue(int minimum) {
    range_.minimum = minimum;
    Invalidate();
}

void Progress::SetMaxValue(int maximum) {
    range_.maximum = maximum;
    Invalidate();
}

void Progress::SetValue(double value) {
    value_ = value;
    Invalidate();
}

void Progress::SetStretchForeImage(bool stretch) {
    if (stretchForeImage_ == stretch) return;
    stretchForeImage_ = stretch;
    Invalidate();
}

void Progress::SetProgressImage(const std::wstring& attribute) {
    progressImage_.ReleaseCache();
    progressImage_.Clear();
    progressImage_.attribute = attribute;
    progressImage_.file = attribute;
    progressImage_.ParseAttribute(attribute);
    Invalidate();
}

void Progress::SetProgressColor(const std::wstring& colorName) {
    if (colorName == progressColor_) return;
    progressColor_ = colorName;
    Invalidate();
}

void Progress::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"hor") {
        SetHorizontal(ParseBool(value));
    } else if (name == L"min") {
        SetMinValue(ParseInt(value));
    } else if (name == L"max") {
        SetMaxValue(ParseInt(value));
    } else if (name == L"value") {
        SetValue(ParseInt(value));
    } else if (name == L"progressimage") {
        SetProgressImage(value);
    } else if (name == L"isstretchfore") {
        SetStretchForeImage(ParseBool(value));
    } else if (name == L"progresscolor") {
        const std::size_t space = value.find(L' ');
        SetProgressColor(space == std::wstring::npos ? value : value.substr(space + 1));
    } else {
        LabelTemplate<Control>::SetAttribute(name, value);
    }
}

std::wstring Progress::DestinationModifier(const RECT& dest) {
    wchar_t text[96];
    std::swprintf(text, 96, L"destscale='false' dest='%ld,%ld,%ld,%ld'", dest.left, dest.top, dest.right, dest.bottom);
    return text;
}

RECT Progress::GetProgressPos() {
    return ProgressFill(range_, value_, horizontal_, GetSize());
}

void Progress::PaintStatusImage(IRenderContext* context) {
    value_ = range_.Clamp(value_);
    const RECT fill = GetProgressPos();

    const DWORD color = progressColor_.empty() ? 0 : GlobalManager::GetTextColor(progressColor_);
    if (color != 0) {
        RECT filled = rect_;
        if (horizontal_) {
            filled.right = rect_.left + fill.right;
        } else {
            filled.top = rect_.top + fill.top;
        }
        context->DrawColor(filled, color, 255);
    }
    if (progressImage_.file.empty()) return;
    std::wstring modifier = DestinationModifier(fill);
    if (!stretchForeImage_) {
        wchar_t source[64];
        std::swprintf(source, 64, L" source='%ld,%ld,%ld,%ld'", fill.left, fill.top, fill.right, fill.bottom);
        modifier += source;
    }
    DrawImage(context, progressImage_, modifier);
}

void Progress::ClearImageCache() {
    LabelTemplate<Control>::ClearImageCache();
    progressImage_.ReleaseCache();
}

}  // namespace ui
