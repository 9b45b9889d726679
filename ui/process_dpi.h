#pragma once

namespace ui {

// At start-up: makes the process DPI aware, per monitor where the system offers it, unless
// the DPI manager already adapts; then, while it adapts, sets its scale from the DPI of the
// monitor at the screen's top-left corner. The functions are looked up at run time, since
// older systems lack them.
void AdaptProcessDpi();

}  // namespace ui
