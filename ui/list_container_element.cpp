#include "ui/list_container_element.h"

#include "ui/list_owner.h"
#include "ui/window.h"

namespace ui {
namespace {

// Single line, vertically centred, left-aligned, end ellipsis, no clipping.
constexpr UINT kElementTextStyle = 0x8124;

}  // namespace

ListContainerElement::ListContainerElement() {
    SetTextStyle(kElementTextStyle);
    receivePointer_ = false;
}

void ListContainerElement::SetSelectedFlag(bool selected) {
    selected_ = selected;
    Invalidate();
}

void ListContainerElement::Selected(bool selected, bool trigger) {
    if (!IsEnabled() || !selected || !owner_) return;
    owner_->SelectItem(index_, false, trigger);
}

void ListContainerElement::SetFadeVisible(bool visible) {
    OptionTemplate<Box>::SetFadeVisible(visible);
    if (IsVisible() || !selected_) return;
    selected_ = false;
    if (owner_) owner_->SelectItem(-1, false, true);
}

void ListContainerElement::HandleEvent(EventArgs* args) {
    const int type = args->type;
    if (!IsMouseEnabled() && IsMouseEvent(type)) {
        if (owner_) {
            owner_->DispatchItemEvent(args);
        } else {
            Box::HandleEvent(args);
        }
        return;
    }
    if (type == kEventInternalDoubleClick) {
        if (IsActivatable()) SendEvent(this, kEventMouseDoubleClick);
        return;
    }
    if (type == kEventKeyDown && IsEnabled() && args->key == VK_RETURN) {
        if (IsActivatable() && window_) SendEvent(this, kEventReturn);
        return;
    }
    if (type == kEventInternalMenu && IsEnabled()) {
        Selected(true, true);
        SendEvent(this, kEventMouseMenu);
        Invalidate();
        return;
    }
    OptionTemplate<Box>::HandleEvent(args);
}

}  // namespace ui
