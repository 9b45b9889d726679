#include "ui/shadow_box.h"

namespace ui {

ShadowBox::ShadowBox() : Box(nullptr) {}

void ShadowBox::Paint(IRenderContext* context, const RECT& dirty) {
    const RECT inner = GetPosWithoutPadding();
    const bool reachesShadow = dirty.left < inner.left || dirty.top < inner.top || dirty.right > inner.right ||
                               dirty.bottom > inner.bottom;
    if (reachesShadow) Box::Paint(context, dirty);
}

}  // namespace ui
