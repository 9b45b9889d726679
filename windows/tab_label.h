#pragma once

#include "ui/control.h"
#include "ui/label.h"
#include "ui/list_container_element.h"

namespace MainComponents {

// A news tab header ("main/tab_label.xml"): its name takes the hot colour while the mouse is
// over it and keeps it while the tab is selected. The main window sets the name, drives the
// underline and the selection.
class TabLabel : public ui::ListContainerElement {
public:
    // Binds the name and the underline and attaches the hover handlers, once.
    void Init() override;

    ui::Label* nameLabel = nullptr;
    ui::Control* lineControl = nullptr;

private:
    void ShowNameHot(bool hot);

    bool bound = false;
};

}  // namespace MainComponents
