#pragma once

#include "ui/box.h"
#include "ui/hlayout.h"

namespace ui {

// A box whose children are laid out from left to right.
class HBox : public Box {
public:
    HBox() : Box(new HLayout) {}
};

}  // namespace ui
