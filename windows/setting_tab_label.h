#pragma once

#include "ui/label.h"
#include "ui/list_container_element.h"

namespace SettingComponents {

// One tab of the settings dialog: a list element showing the tab's name in "tab_name".
class TabLabel : public ui::ListContainerElement {
public:
    ui::Label* nameLabel = nullptr;
};

}  // namespace SettingComponents
