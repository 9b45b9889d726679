#pragma once

#include "ui/label.h"
#include "windows/tab_predlc.h"

namespace MainComponents {

// Pre-download page 3: the pre-download is complete.
class TabPreDlcFinish : public TabPreDlc {
public:
    void BindControls() override;
    void ReleaseControls() override { infoLabel = nullptr; }
    void Refresh(int code) override;
    void ReportStatus() override { SendStatus(kStatusDone); }

private:
    ui::Label* infoLabel = nullptr;
};

}  // namespace MainComponents
