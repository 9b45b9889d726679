#include "windows/page_controls.h"

#include "ui/box.h"
#include "ui/window.h"

ui::Control* FindNamedControl(ui::Control* root, const std::wstring& name) {
    if (!root) return nullptr;
    std::wstring wanted = name;
    return root->FindControl(&ui::Window::MatchControlName, &wanted, 0);
}

void SwitchLook(ui::Control* button, const std::wstring& classes) {
    if (!button) return;
    const int width = button->GetFixedWidth();
    const int height = button->GetFixedHeight();
    button->ApplyClass(classes);
    // Already device pixels: restored unscaled, and only when the class changed them.
    if (button->GetFixedWidth() != width) button->SetFixedWidth(width, true, false);
    if (button->GetFixedHeight() != height) button->SetFixedHeight(height, false);
}

bool IsInside(const ui::Control* control, const ui::Control* box) {
    for (const ui::Control* at = control; at && box; at = at->GetParent()) {
        if (at == box) return true;
    }
    return false;
}
