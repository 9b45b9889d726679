#include "ui/state_color_map.h"

#include "ui/animation_manager.h"
#include "ui/control.h"
#include "ui/render/render_context.h"

namespace ui {

bool StateColorMap::HasColor(int state) const {
    const auto it = colors_.find(state);
    return it != colors_.end() && !it->second.empty();
}

const std::wstring& StateColorMap::GetColor(int state) const {
    static const std::wstring kNone;
    const auto it = colors_.find(state);
    return it == colors_.end() ? kNone : it->second;
}

void StateColorMap::Paint(IRenderContext* context, int state) {
    const RECT& rect = owner_->GetPaintRect();
    const bool hotFade = owner_->GetAnimationManager().GetAnimationPlayer(kAnimationHot) != nullptr;
    if (hotFade && (state == kControlStateNormal || state == kControlStateHot) && HasColor(kControlStateHot)) {
        context->DrawColor(rect, GetColor(kControlStateNormal), 255);
        if (owner_->GetHotAlpha() > 0) {
            context->DrawColor(rect, GetColor(kControlStateHot), static_cast<BYTE>(owner_->GetHotAlpha()));
        }
        return;
    }
    context->DrawColor(rect, GetColor(ResolveState(state)), 255);
}

int StateColorMap::ResolveState(int state) const {
    if (state == kControlStatePushed && !HasColor(kControlStatePushed)) state = kControlStateHot;
    if (state == kControlStateHot && !HasColor(kControlStateHot)) state = kControlStateNormal;
    if (state == kControlStateDisabled && !HasColor(kControlStateDisabled)) state = kControlStateNormal;
    return state;
}

}  // namespace ui
