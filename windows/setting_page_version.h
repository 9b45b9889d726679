#pragma once

#include <string>

#include "ui/button.h"
#include "ui/label.h"
#include "windows/setting_tab_page.h"

namespace SettingComponents {

// "Version Info": the launcher's and the game's versions, each with a button that closes the
// dialog and starts its update, and the terms and privacy links.
class TabPageVersion : public TabPage {
public:
    void Setup(const std::wstring& name, SettingForm* form) override;
    // The update buttons are enabled while no update runs; the labels show the versions.
    void Refresh() override;

private:
    void UpdateLauncher();
    void UpdateGame();

    ui::Button* launcherUpdateButton_ = nullptr;
    ui::Label* launcherVersionLabel_ = nullptr;
    ui::Button* gameUpdateButton_ = nullptr;
    ui::Label* gameVersionLabel_ = nullptr;
};

}  // namespace SettingComponents
