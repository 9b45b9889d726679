#include "ui/check_box.h"

#include "ui/attribute_values.h"
#include "ui/global_manager.h"
#include "ui/render/render_context.h"
#include "ui/window.h"

namespace ui {
namespace {

const wchar_t* const kSelectedImages[4] = {L"selectednormalimage", L"selectedhotimage", L"selectedpushedimage",
                                           L"selecteddisabledimage"};
const wchar_t* const kSelectedForeImages[4] = {L"selectedforenormalimage", L"selectedforehotimage",
                                               L"selectedforepushedimage", L"selectedforedisabledimage"};
const wchar_t* const kSelectedColors[4] = {L"selectednormalcolor", L"selectedhotcolor", L"selectedpushedcolor",
                                           L"selecteddisabledcolor"};

}  // namespace

template <class B>
CheckBoxTemplate<B>::CheckBoxTemplate() {
    selectedColors_.SetOwner(this);
}

template <class B>
void CheckBoxTemplate<B>::Selected(bool selected, bool trigger) {
    if (selected == selected_) return;
    selected_ = selected;
    if (this->window_ && trigger) Control::SendEvent(this, selected ? kEventSelect : kEventUnSelect);
    this->Invalidate();
}

template <class B>
void CheckBoxTemplate<B>::Activate() {
    if (this->IsActivatable()) Selected(!selected_, true);
}

template <class B>
Image* CheckBoxTemplate<B>::GetBkImage() {
    if (!this->bkImage_.file.empty()) return &this->bkImage_;
    if (Image* image = this->stateImages_[kStateImageBk].GetEstimateImage()) return image;
    return this->stateImages_[kStateImageSelectedBk].GetEstimateImage();
}

template <class B>
bool CheckBoxTemplate<B>::HasHotState() {
    return selectedColors_.HasColor(kControlStateHot) || ButtonTemplate<B>::HasHotState();
}

template <class B>
void CheckBoxTemplate<B>::SetSelectedTextColor(const std::wstring& colorName) {
    selectedTextColor_ = colorName;
    this->Invalidate();
}

template <class B>
void CheckBoxTemplate<B>::SetSelectedStateColor(int state, const std::wstring& colorName) {
    selectedColors_.SetColor(state, colorName);
    this->Invalidate();
}

template <class B>
void CheckBoxTemplate<B>::SetSelectedStateImage(int kind, int state, const std::wstring& attribute) {
    this->stateImages_[kind].SetImage(state, attribute);
    this->ArrangeOrInvalidate();
}

template <class B>
void CheckBoxTemplate<B>::SetAttribute(const std::wstring& name, const std::wstring& value) {
    int state = -1;
    if (name == L"selected") {
        Selected(ParseBool(value), true);
    } else if ((state = StateOfAttribute(name, kSelectedImages)) >= 0) {
        SetSelectedStateImage(kStateImageSelectedBk, state, value);
    } else if ((state = StateOfAttribute(name, kSelectedForeImages)) >= 0) {
        SetSelectedStateImage(kStateImageSelectedFore, state, value);
    } else if (name == L"selectedtextcolor") {
        SetSelectedTextColor(value);
    } else if ((state = StateOfAttribute(name, kSelectedColors)) >= 0) {
        SetSelectedStateColor(state, value);
    } else {
        ButtonTemplate<B>::SetAttribute(name, value);
    }
}

template <class B>
void CheckBoxTemplate<B>::PaintStatusColor(IRenderContext* context) {
    if (!selected_) {
        ButtonTemplate<B>::PaintStatusColor(context);
        return;
    }
    selectedColors_.Paint(context, this->state_);
}

template <class B>
void CheckBoxTemplate<B>::PaintStatusImage(IRenderContext* context) {
    if (!selected_) {
        ButtonTemplate<B>::PaintStatusImage(context);
        return;
    }
    this->stateImages_[kStateImageSelectedBk].Paint(context, this->state_);
    this->stateImages_[kStateImageSelectedFore].Paint(context, this->state_);
}

template <class B>
void CheckBoxTemplate<B>::PaintText(IRenderContext* context) {
    if (!selected_) {
        ButtonTemplate<B>::PaintText(context);
        return;
    }
    const std::wstring text = this->GetText();
    if (text.empty()) return;
    this->SyncSingleLineStyle();
    const std::wstring& enabledColor =
        selectedTextColor_.empty() ? this->textColors_.GetColor(kControlStateNormal) : selectedTextColor_;
    const std::wstring& color = this->IsEnabled() ? enabledColor : this->textColors_.GetColor(kControlStateDisabled);
    context->DrawText(this->GetTextRect(), text, GlobalManager::GetTextColor(color), this->fontId_, this->textStyle_,
                      static_cast<BYTE>(255), false);
}

template class CheckBoxTemplate<Control>;
template class CheckBoxTemplate<Box>;

}  // namespace ui
