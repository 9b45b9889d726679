#include "ui/button.h"

#include "ui/window.h"

namespace ui {

template <class B>
ButtonTemplate<B>::ButtonTemplate() {
    this->textStyle_ = kButtonTextStyle;
    this->SetTextPadding(RECT{0, 0, 0, 5});
}

template <class B>
void ButtonTemplate<B>::HandleEvent(EventArgs* args) {
    if (IsMouseEvent(args->type) && !this->IsMouseEnabled()) {
        if (this->parent_) {
            this->parent_->DispatchEvent(args);
        } else {
            LabelTemplate<B>::HandleEvent(args);
        }
        return;
    }
    const bool activationKey = args->key == VK_SPACE || args->key == VK_RETURN;
    if (args->type == kEventKeyDown && activationKey && this->IsKeyboardEnabled()) {
        this->Activate();
        return;
    }
    if (args->type == kEventInternalMenu) {
        if (this->IsContextMenuUsed()) {
            const POINT mouse = this->window_ ? this->window_->GetLastMousePos() : POINT{0, 0};
            Control::SendEvent(this, kEventMouseMenu, args->wParam, args->lParam, 0, mouse);
        }
        return;
    }
    LabelTemplate<B>::HandleEvent(args);
}

template class ButtonTemplate<Control>;
template class ButtonTemplate<Box>;

}  // namespace ui
