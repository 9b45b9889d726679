#include "ui/control.h"

#include "ui/animation_player.h"
#include "ui/box.h"
#include "ui/window.h"

namespace ui {
namespace {

// Runs the handlers of one key of a map, when it has any; true when there are none.
bool FireMapEntry(const EventMap& map, int type, EventArgs* args, const std::weak_ptr<kbase::WeakFlag>& owner) {
    const auto it = map.find(type);
    return it == map.end() || Control::FireCallbacks(it->second, args, owner);
}

bool IsSelfOrAncestorOf(const Control* self, const Control* control) {
    for (const Control* c = control; c; c = c->GetParent()) {
        if (c == self) return true;
    }
    return false;
}

}  // namespace

void Control::SendEvent(Control* control, int type, WPARAM wParam, LPARAM lParam, wchar_t key, POINT mouse,
                        float pressure) {
    EventArgs args;
    args.type = type;
    args.sender = control;
    args.wParam = wParam;
    args.lParam = lParam;
    args.key = key;
    args.pressure = pressure;
    args.mousePoint = mouse;
    if (mouse.x == 0 && mouse.y == 0 && control->GetWindow()) args.mousePoint = control->GetWindow()->GetLastMousePos();
    args.timestamp = ::GetTickCount();
    control->DispatchEvent(&args);
}

bool Control::FireCallbacks(const std::vector<EventCallback>& callbacks, EventArgs* args) {
    return FireSnapshot(callbacks, args, nullptr);
}

bool Control::FireCallbacks(const std::vector<EventCallback>& callbacks, EventArgs* args,
                            const std::weak_ptr<kbase::WeakFlag>& owner) {
    return FireSnapshot(callbacks, args, &owner);
}

bool Control::FireSnapshot(const std::vector<EventCallback>& callbacks, EventArgs* args,
                           const std::weak_ptr<kbase::WeakFlag>* owner) {
    const std::vector<EventCallback> snapshot = callbacks;
    for (const EventCallback& callback : snapshot) {
        if (!callback(args)) return false;
        if (owner && owner->expired()) return true;
    }
    return true;
}

void Control::DispatchEvent(EventArgs* args) {
    if (args->type <= kEventInternalKillFocus || args->sender != this) {
        HandleEvent(args);
        return;
    }
    const std::weak_ptr<kbase::WeakFlag> alive = ObtainWeakFlag();
    bool proceed = FireMapEntry(codeEvents_, args->type, args, alive);
    if (alive.expired()) return;
    proceed = FireMapEntry(codeEvents_, kEventAll, args, alive);
    if (alive.expired()) return;
    if (proceed) {
        proceed = FireMapEntry(xmlEvents_, args->type, args, alive);
        if (alive.expired()) return;
        proceed = FireMapEntry(xmlEvents_, kEventAll, args, alive);
        if (alive.expired()) return;
    }
    if (proceed) HandleEvent(args);
}

void Control::HandleEvent(EventArgs* args) {
    const int type = args->type;
    const auto forward = [this, args] {
        if (parent_) parent_->DispatchEvent(args);
    };
    if (!mouseEnabled_ && IsMouseEvent(type)) {
        forward();
        return;
    }
    switch (type) {
    case kEventSetCursor: {
        const wchar_t* cursor = nullptr;
        if (cursorType_ == kCursorHand) cursor = IsEnabled() ? IDC_HAND : IDC_ARROW;
        else if (cursorType_ == kCursorArrow) cursor = IDC_ARROW;
        else if (cursorType_ == kCursorIbeam) cursor = IDC_IBEAM;
        if (!cursor) {
            forward();
            return;
        }
        ::SetCursor(::LoadCursorW(nullptr, cursor));
        return;
    }
    case kEventInternalSetFocus:
    case kEventInternalKillFocus: {
        if (!IsEnabled()) return;
        const bool gained = type == kEventInternalSetFocus;
        hotAlpha_ = gained ? 255 : 0;
        state_ = gained ? kControlStateHot : kControlStateNormal;
        Invalidate();
        focused_ = gained;
        Invalidate();
        return;
    }
    case kEventInternalMenu:
        if (IsEnabled()) {
            if (IsContextMenuUsed()) {
                SendEvent(this, kEventMouseMenu, args->wParam, args->lParam);
                return;
            }
            forward();
            return;
        }
        forward();
        return;
    case kEventMouseEnter:
        if (args->sender != this && window_ && !IsSelfOrAncestorOf(this, window_->GetHoverControl())) return;
        MouseEnter(args);
        forward();
        return;
    case kEventMouseLeave:
        if (args->sender != this && window_ && IsSelfOrAncestorOf(this, window_->GetHoverControl())) return;
        MouseLeave(args);
        forward();
        return;
    case kEventMouseButtonDown:
    case kEventInternalDoubleClick:
        ButtonDown(args);
        return;
    case kEventMouseButtonUp:
        ButtonUp(args);
        return;
    case kEventPointerDown:
    case kEventPointerUp:
        if (!receivePointer_) {
            forward();
            return;
        }
        if (type == kEventPointerDown) ButtonDown(args);
        else ButtonUp(args);
        return;
    default:
        forward();
        return;
    }
}

bool Control::MouseEnter(EventArgs* /*args*/) {
    if (!IsEnabled() || state_ != kControlStateNormal) return false;
    state_ = kControlStateHot;
    if (!HasHotState()) return true;
    if (AnimationPlayer* hot = animationManager_.GetAnimationPlayer(kAnimationHot)) hot->Continue();
    Invalidate();
    return true;
}

bool Control::MouseLeave(EventArgs* /*args*/) {
    if (!IsEnabled() || state_ != kControlStateHot) return false;
    state_ = kControlStateNormal;
    if (!HasHotState()) return true;
    if (AnimationPlayer* hot = animationManager_.GetAnimationPlayer(kAnimationHot)) hot->Reverse();
    Invalidate();
    return true;
}

bool Control::ButtonDown(EventArgs* /*args*/) {
    if (!IsEnabled()) return false;
    state_ = kControlStatePushed;
    SetMouseFocused(true);
    Invalidate();
    return true;
}

bool Control::ButtonUp(EventArgs* args) {
    if (!IsMouseFocused()) return false;
    SetMouseFocused(false);
    if (AnimationPlayer* hot = animationManager_.GetAnimationPlayer(kAnimationHot)) hot->Stop();
    Invalidate();
    if (ContainsPoint(args->mousePoint)) {
        const bool pointer = args->type == kEventPointerUp;
        state_ = pointer ? kControlStateNormal : kControlStateHot;
        hotAlpha_ = pointer ? 0 : 255;
        Activate();
        return true;
    }
    state_ = kControlStateNormal;
    hotAlpha_ = 0;
    return false;
}

bool Control::OnApplyAttributeList(const std::wstring& receiver, const std::wstring& list, EventArgs* /*args*/) {
    Control* target = nullptr;
    if (receiver.rfind(L"./", 0) == 0 || receiver.rfind(L".\\", 0) == 0) {
        std::wstring name = receiver.substr(2);
        target = FindControl(&Window::MatchControlName, &name, 0);
    } else if (window_) {
        target = window_->FindControl(receiver);
    }
    if (target) target->ApplyAttributeList(list);
    return true;
}

}  // namespace ui
