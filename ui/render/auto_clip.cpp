#include "ui/render/auto_clip.h"

#include "ui/render/render_context.h"

namespace ui {

AutoClip::AutoClip(IRenderContext* context, const RECT& rect, bool clip) : context_(context), clip_(clip) {
    if (clip_ && context_) context_->SetClip(rect);
}

AutoClip::AutoClip(IRenderContext* context, const RECT& rect, int roundWidth, int roundHeight, bool clip)
    : context_(context), clip_(clip) {
    if (clip_ && context_) context_->SetRoundClip(rect, roundWidth, roundHeight);
}

AutoClip::~AutoClip() {
    if (clip_ && context_) context_->ClearClip();
}

}  // namespace ui
