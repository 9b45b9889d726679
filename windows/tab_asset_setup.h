#pragma once

#include "ui/event_args.h"
#include "ui/label.h"
#include "windows/tab_asset.h"

namespace MainComponents {

// Game area page 1, while the game is not installed: the installation folder and the button
// that opens the installation-path dialog; confirming it starts the installation.
class TabAssetSetup : public TabAsset {
public:
    void BindControls() override;
    void ReleaseControls() override;
    void Refresh() override;

    // The dialog's answer: anything but 0 checks the free space, makes the game folder and
    // starts a game update that does not enter the game.
    void OnSetupPathResult(int result);

private:
    bool OnSetPathClick(ui::EventArgs* args);

    ui::Label* titleLabel = nullptr;
    ui::Label* pathLabel = nullptr;
};

}  // namespace MainComponents
