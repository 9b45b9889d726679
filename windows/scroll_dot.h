#pragma once

#include "ui/control.h"
#include "ui/list_container_element.h"

namespace MainComponents {

// A pager dot of the poster carousel ("main/scroll_dot.xml"); the main window builds it, puts it
// into its dot list and keeps its "btn_dot" control here.
class ScrollDot : public ui::ListContainerElement {
public:
    ui::Control* dotControl = nullptr;
};

}  // namespace MainComponents
