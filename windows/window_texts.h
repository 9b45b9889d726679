#pragma once

#include "app/ui_seam.h"

namespace ui {
class Control;
}

// Shows a dialog text on a label (or button): a language id becomes its text id, the literal
// text it may hold staying; a literal becomes its text. Nothing when control is no label.
void SetLabelText(ui::Control* control, const BoxText& text);
