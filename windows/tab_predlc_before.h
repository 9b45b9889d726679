#pragma once

#include "ui/button.h"
#include "ui/event_args.h"
#include "ui/label.h"
#include "ui/vbox.h"
#include "windows/tab_predlc.h"

namespace MainComponents {

// Pre-download page 1, a pre-download is available: its button starts it (after the
// confirmation dialog, unless an earlier one is to be continued); a click on the hint beside
// the button does the same.
class TabPreDlcBefore : public TabPreDlc {
public:
    void BindControls() override;
    void ReleaseControls() override;
    // Download or continue look, by whether an unfinished pre-download waits.
    void Refresh(int code) override;
    void ReportStatus() override { SendStatus(kStatusAvailable); }

    // The confirmation dialog's answer: anything but 0 starts the pre-download unless an update
    // blocks it now.
    void OnConfirmResult(int result);

private:
    bool OnDownloadClick(ui::EventArgs* args);
    void StartPreDownload();

    ui::Label* infoLabel = nullptr;
    ui::Button* controlButton = nullptr;
    ui::VBox* hintBox = nullptr;
};

}  // namespace MainComponents
