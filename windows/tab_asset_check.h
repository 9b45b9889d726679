#pragma once

#include <cstdint>

#include "ui/label.h"
#include "ui/progress.h"
#include "windows/tab_asset.h"

namespace MainComponents {

// Game area page 3, while files are verified or applied: a counter and a progress bar, both
// written by the main window from the check progress message.
class TabAssetCheck : public TabAsset {
public:
    void BindControls() override;
    void ReleaseControls() override { countLabel = nullptr; }

    // From the check progress message: the counter (CheckCounterText) and the bar at percent.
    void SetProgress(std::int32_t counter, double percent);

private:
    ui::Label* countLabel = nullptr;
    ui::Progress* progress = nullptr;
};

}  // namespace MainComponents
