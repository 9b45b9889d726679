#include "windows/window_texts.h"

#include "ui/label.h"

void SetLabelText(ui::Control* control, const BoxText& text) {
    auto* label = dynamic_cast<ui::Label*>(control);
    if (!label) return;
    if (text.isKey) {
        label->SetTextId(text.text, false);
    } else {
        label->SetText(text.text);
    }
}
