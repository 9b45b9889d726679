#include "windows/tab_asset_download.h"

#include <algorithm>
#include <cmath>

#include "app/launcher_context.h"
#include "download/download_manager.h"
#include "windows/download_texts.h"
#include "windows/formatted_texts.h"
#include "windows/page_controls.h"

namespace MainComponents {

void TabAssetDownload::BindControls() {
    ResetFigures();
    infoLabel = FindNamed<ui::Label>(this, L"text_download_info");
    timeLabel = FindNamed<ui::Label>(this, L"text_download_time");
    speedLabel = FindNamed<ui::Label>(this, L"text_download_speed");
    progress = FindNamed<ui::Progress>(this, L"progress");
    controlButton = FindNamed<ui::Button>(this, L"btn_download_ctrl");
    for (ui::Label* label : {infoLabel, timeLabel, speedLabel}) {
        if (label) label->SetText(L"");
    }
    if (progress) {
        progress->SetValue(0);
        progress->Invalidate();
    }
    if (controlButton) {
        controlButton->EventMapAt(ui::kEventClick).push_back([this](ui::EventArgs* args) { return OnControlClick(args); });
    }
}

void TabAssetDownload::ReleaseControls() {
    infoLabel = timeLabel = speedLabel = nullptr;
    controlButton = nullptr;
    ResetFigures();
}

void TabAssetDownload::Refresh() {
    if (infoLabel) infoLabel->SetText(L" ");
    if (speedLabel) speedLabel->SetText(L"");
    if (timeLabel) timeLabel->SetTextId(L"STRING_RESOURCE_WAITING", true);
    if (controlButton) controlButton->SetFadeVisible(true);
    if (DownloadManager::Instance().paused.load()) {
        UpdateInfoText();
        UpdateSpeedText();
        UpdateTimeText();
    }
}

void TabAssetDownload::SetPaused(bool paused) {
    if (!controlButton) return;
    controlButton->SetEnabled(true);
    SwitchLook(controlButton, paused ? L"btn_continue" : L"btn_pause");
    if (paused && speedLabel) speedLabel->SetText(FormatLanguageText(L"STRING_DOWNLOAD_SPEED", L"0.00KB"));
}

void TabAssetDownload::SetBytes(std::int64_t total, std::int64_t done) {
    if (total < done) return;
    totalBytes = total;
    doneBytes = done;
    UpdateInfoText();
    if (progress) {
        progress->SetValue(ProgressValue(done, total));
        progress->Invalidate();
    }
}

void TabAssetDownload::SetSpeed(std::int32_t seconds, double speed) {
    secondsLeft = seconds;
    bytesPerSecond = speed;
    UpdateInfoText();
    UpdateSpeedText();
    UpdateTimeText();
}

void TabAssetDownload::SetCheckProgress(double percent) {
    if (controlButton) controlButton->SetFadeVisible(false);
    if (progress) {
        progress->SetValue(percent);
        progress->Invalidate();
    }
}

void TabAssetDownload::UpdateInfoText() {
    if (!infoLabel || totalBytes <= 0) return;
    LauncherContext* context = LauncherContext::Instance();
    const std::wstring percent = DownloadPercentText(doneBytes, totalBytes, context->settings.Get().languageType);
    const bool launcherFiles = context->CurrentStateType() != kNoStateType && context->CurrentStateMode() == kLauncherMode;
    infoLabel->SetText(FormatLanguageText(launcherFiles ? L"STRING_DOWNLOAD_LAUNCHER" : L"STRING_DOWNLOAD_ASSET", percent));
}

void TabAssetDownload::UpdateSpeedText() {
    if (!speedLabel) return;
    // A speed from outside the count's range (negative, not a number) shows as none.
    const double speed = std::isfinite(bytesPerSecond) ? std::clamp(bytesPerSecond, 0.0, 1.8e19) : 0.0;
    speedLabel->SetText(FormatLanguageText(L"STRING_DOWNLOAD_SPEED", FormatByteSize(static_cast<std::uint64_t>(speed))));
}

void TabAssetDownload::UpdateTimeText() {
    if (timeLabel) timeLabel->SetText(FormatLanguageText(L"STRING_DOWNLOAD_TIME", DurationText(secondsLeft)));
}

bool TabAssetDownload::OnControlClick(ui::EventArgs* args) {
    if (args->sender != controlButton) return true;
    controlButton->SetEnabled(false);
    LauncherContext::Instance()->PauseDownloads();
    return true;
}

void TabAssetDownload::ResetFigures() {
    totalBytes = doneBytes = 0;
    bytesPerSecond = 0;
    secondsLeft = 0;
}

}  // namespace MainComponents
