#pragma once

#include <string>

#include "ui/button.h"
#include "ui/label.h"
#include "windows/setting_tab_page.h"

namespace SettingComponents {

// "Game Resources": the game folder with a button to point the launcher at another installed
// one (saved at once), and the repair button, which closes the dialog and starts a repair.
class TabPageResource : public TabPage {
public:
    void Setup(const std::wstring& name, SettingForm* form) override;
    // The buttons follow the update state: no folder change while the game updates, no
    // repair while any update runs.
    void Refresh() override;

    // Takes folder as the game folder when the game is installed there (saved at once, the
    // main window told); otherwise the invalid-folder notice and nothing changes.
    void UseGameFolder(const std::wstring& folder);

private:
    void ChooseFolder();
    void Repair();

    ui::Label* gamePathLabel_ = nullptr;
    ui::Button* findGameButton_ = nullptr;
    ui::Button* repairButton_ = nullptr;
};

}  // namespace SettingComponents
