#pragma once

#include "ui/box.h"
#include "ui/tile_layout.h"

namespace ui {

// A box whose children are laid out in a grid.
class TileBox : public Box {
public:
    TileBox() : Box(new TileLayout) {}
};

}  // namespace ui
