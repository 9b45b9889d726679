#pragma once

#include "ui/box.h"
#include "ui/vlayout.h"

namespace ui {

// A box whose children are laid out from top to bottom.
class VBox : public Box {
public:
    VBox() : Box(new VLayout) {}
};

}  // namespace ui
