#pragma once

#include <cstdint>

#include "ui/button.h"
#include "ui/event_args.h"
#include "ui/label.h"
#include "ui/progress.h"
#include "windows/tab_asset.h"

namespace MainComponents {

// Game area page 2, while game or launcher files download: percentage and sizes, time left,
// speed, the progress bar and the pause/continue button. The main window writes the four
// figures from the download messages and calls the Update* texts and SetProgress.
class TabAssetDownload : public TabAsset {
public:
    void BindControls() override;
    void ReleaseControls() override;
    // " " as info, no speed and the waiting text until the next figures; while paused the kept
    // figures are shown again.
    void Refresh() override;

    // The pause state message (lParam 1 paused): enables the button and shows play or pause.
    void SetPaused(bool paused);
    // From the download progress message: the figures when total is not below done, then the
    // info text and the bar.
    void SetBytes(std::int64_t total, std::int64_t done);
    // From the speed message.
    void SetSpeed(std::int32_t seconds, double speed);
    // The check progress message hides the button (nothing to pause) and moves the bar.
    void SetCheckProgress(double percent);
    void UpdateInfoText();
    void UpdateSpeedText();
    void UpdateTimeText();

    std::int64_t totalBytes = 0;
    std::int64_t doneBytes = 0;
    double bytesPerSecond = 0;
    std::int32_t secondsLeft = 0;

private:
    bool OnControlClick(ui::EventArgs* args);
    void ResetFigures();

    ui::Label* infoLabel = nullptr;
    ui::Label* timeLabel = nullptr;
    ui::Label* speedLabel = nullptr;
    ui::Progress* progress = nullptr;
    ui::Button* controlButton = nullptr;
};

}  // namespace MainComponents
