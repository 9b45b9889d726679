#pragma once

#include <cstdint>
#include <string>

#include "ui/button.h"
#include "ui/event_args.h"
#include "ui/label.h"
#include "ui/progress.h"
#include "ui/vbox.h"
#include "windows/predlc_popup_form.h"
#include "windows/tab_predlc.h"
#include "windows/weak_window.h"

namespace MainComponents {

// Pre-download page 2, checking or downloading: pause/continue button, a title with moving
// dots, the percentage, a thin bar, and the details popup while the mouse is over the hint.
// Its state is the refresh code (0 checking, 1 downloading, -1 paused, with the code to go
// back to kept while paused) plus the download manager's paused flag.
class TabPreDlcDownload : public TabPreDlc {
public:
    TabPreDlcDownload();

    void BindControls() override;
    void ReleaseControls() override;
    void Refresh(int code) override;
    // Waiting (2) while blocked, paused or stopped; else downloading (3).
    void ReportStatus() override { SendStatus(IsWaiting() ? kStatusWaiting : kStatusDownloading); }

    // The main window's calls while the pre-download downloads (its task at the download step):
    // the progress message; the pause state message (tells the game too); the speed message.
    void SetBytes(std::int64_t total, std::int64_t done);
    void SetPaused(bool paused);
    void SetSpeed(std::int32_t seconds, std::int32_t speed);
    // Every UI tick while the page is current: the next of "", ".", "..", "..." after the title.
    void AnimateDots();
    // Closes the details popup when it is open.
    void ClosePopup();
    PreDlcPopupForm* Popup() const { return popup.Get(); }

    // Blocked by an update, paused, or stopped: the figures the game asks for read zero then.
    bool IsWaiting() const;
    int Code() const { return code; }

    std::int64_t totalBytes = 0;
    std::int64_t doneBytes = 0;
    std::int32_t secondsLeft = 0;
    std::int32_t bytesPerSecond = 0;

private:
    bool OnControlClick(ui::EventArgs* args);
    bool OnHintEvent(ui::EventArgs* args);
    void OpenPopup();
    void ShowRunningTitle(const wchar_t* dots);
    void UpdatePercentText();
    void ResetSpeedAndTime();

    int code = 0;
    int savedCode = 0;
    ui::Label* titleLabel = nullptr;
    ui::Label* infoLabel = nullptr;
    ui::Progress* progress = nullptr;
    ui::Button* controlButton = nullptr;
    ui::VBox* hintBox = nullptr;
    WeakWindow<PreDlcPopupForm> popup;
    int dotCount = 0;
    std::wstring sizeText;
    std::wstring timeText;
    std::wstring speedText;
};

}  // namespace MainComponents
