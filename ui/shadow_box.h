#pragma once

#include "ui/box.h"

namespace ui {

// The box around a window's root that draws the shadow: its background image is the shadow,
// its padding the shadow's width. A repaint wholly inside the content leaves the shadow alone.
class ShadowBox : public Box {
public:
    ShadowBox();

    void Paint(IRenderContext* context, const RECT& dirty) override;
};

}  // namespace ui
