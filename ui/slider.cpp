#include "ui/slider.h"

#include "ui/attribute_values.h"
#include "ui/box.h"
#include "ui/dpi_manager.h"
#include "ui/window.h"

namespace ui {
namespace {

const wchar_t* const kThumbImages[4] = {L"thumbnormalimage", L"thumbhotimage", L"thumbpushedimage",
                                        L"thumbdisabledimage"};

}  // namespace

Slider::Slider() {
    thumbImages_.SetOwner(this);
}

void Slider::SetThumbSize(SIZE size, bool scaleForDpi) {
    if (scaleForDpi) DpiManager::GetInstance()->ScaleSize(size);
    thumbSize_ = size;
}

void Slider::SetThumbImage(int state, const std::wstring& attribute) {
    thumbImages_.SetImage(state, attribute);
    Invalidate();
}

void Slider::SetProgressBarPadding(RECT padding, bool scaleForDpi) {
    if (scaleForDpi) DpiManager::GetInstance()->ScaleRect(padding);
    barPadding_ = padding;
    ArrangeOrInvalidate();
}

RECT Slider::GetThumbRect() const {
    return SliderThumb(range_, value_, horizontal_, rect_, thumbSize_);
}

RECT Slider::GetProgressPos() {
    return SliderFill(range_, value_, horizontal_, GetSize(), thumbSize_);
}

void Slider::SetAttribute(const std::wstring& name, const std::wstring& value) {
    const int state = StateOfAttribute(name, kThumbImages);
    if (state >= 0) {
        SetThumbImage(state, value);
    } else if (name == L"step") {
        SetStep(ParseInt(value));
    } else if (name == L"thumbsize") {
        SetThumbSize(ParseSize(value));
    } else if (name == L"progressbarpadding") {
        SetProgressBarPadding(ParseRect(value));
    } else {
        Progress::SetAttribute(name, value);
    }
}

void Slider::SetValueFromPoint(POINT point) {
    value_ = SliderValueAt(range_, horizontal_, rect_, thumbSize_, point);
}

void Slider::RaiseValueChange() {
    Control::SendEvent(this, kEventValueChange);
}

void Slider::HandleEvent(EventArgs* args) {
    const int type = args->type;
    if (IsMouseEvent(type) && !IsMouseEnabled()) {
        if (parent_) {
            parent_->DispatchEvent(args);
        } else {
            Progress::HandleEvent(args);
        }
        return;
    }
    switch (type) {
    case kEventMouseButtonDown:
    case kEventPointerDown:
    case kEventInternalDoubleClick:
        if (IsEnabled()) {
            const SIZE offset = GetScrollOffset();
            const POINT point{args->mousePoint.x + offset.cx, args->mousePoint.y + offset.cy};
            const RECT thumb = GetThumbRect();
            if (::PtInRect(&thumb, point)) {
                SetMouseFocused(true);
                Invalidate();
            }
        }
        return;
    case kEventMouseButtonUp:
    case kEventPointerUp:
        SetMouseFocused(false);
        if (IsEnabled()) {
            SetValueFromPoint(args->mousePoint);
            RaiseValueChange();
            Invalidate();
        }
        return;
    case kEventMouseScrollWheel:
        value_ += static_cast<LONG_PTR>(args->wParam) > 0 ? step_ : -step_;
        Invalidate();
        RaiseValueChange();
        return;
    case kEventMouseMove:
    case kEventPointerUpdate:
        if (IsMouseFocused()) {
            SetValueFromPoint(args->mousePoint);
            Invalidate();
        }
        return;
    case kEventInternalMenu:
        return;
    default:
        Progress::HandleEvent(args);
        return;
    }
}

void Slider::PaintStatusImage(IRenderContext* context) {
    const RECT whole = rect_;
    rect_ = RECT{whole.left + barPadding_.left, whole.top + barPadding_.top, whole.right - barPadding_.right,
                 whole.bottom - barPadding_.bottom};
    Progress::PaintStatusImage(context);
    rect_ = whole;

    RECT thumb = GetThumbRect();
    ::OffsetRect(&thumb, -rect_.left, -rect_.top);
    const std::wstring modifier = DestinationModifier(thumb);
    Image* pushed = IsMouseFocused() ? thumbImages_.GetImage(kControlStatePushed) : nullptr;
    if (pushed && DrawImage(context, *pushed, modifier)) return;
    if (Image* normal = thumbImages_.GetImage(kControlStateNormal)) DrawImage(context, *normal, modifier);
}

void Slider::ClearImageCache() {
    Progress::ClearImageCache();
    thumbImages_.ReleaseCache();
}

}  // namespace ui
