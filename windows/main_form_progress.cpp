// What the worker reports about checks, downloads and pre-downloads, shown on the game-area and
// pre-download pages, and the game's questions about the pre-download, answered through the
// worker.
#include <cstdint>

#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "ui/tab_box.h"
#include "update/predownload_state.h"
#include "windows/main_form.h"
#include "windows/page_controls.h"
#include "windows/tab_asset.h"
#include "windows/tab_asset_check.h"
#include "windows/tab_asset_download.h"
#include "windows/tab_predlc.h"
#include "windows/tab_predlc_download.h"

using MainComponents::TabAssetCheck;
using MainComponents::TabAssetDownload;
using MainComponents::TabPreDlc;
using MainComponents::TabPreDlcDownload;

void MainForm::InitPreDlcArea() {
    preDlcTabs_ = dynamic_cast<ui::TabBox*>(FindControl(std::wstring(L"tab_predlc")));
    MainComponents::AddPreDlcPages(preDlcTabs_);
}

bool MainForm::PreDownloadDownloads() const {
    const LauncherContext* context = LauncherContext::Instance();
    return context->preDownloadActive && context->preDownloadStep == kPreDownloadDownloading;
}

void MainForm::ShowPreDlcPage(WPARAM page, LPARAM code) {
    if (!preDlcTabs_) return;
    if (page <= TabPreDlc::kFinish) preDlcTabs_->SelectItem(static_cast<int>(page));
    if (auto* current = CurrentPage<TabPreDlc>(preDlcTabs_)) current->Refresh(static_cast<int>(code));
}

void MainForm::UpdateCheckProgress(WPARAM counter, LPARAM percent) {
    if (!gameButton_ || !assetTabs_) return;
    if (auto* check = CurrentPage<TabAssetCheck>(assetTabs_)) {
        check->SetProgress(static_cast<std::int32_t>(counter), static_cast<double>(percent));
    } else if (auto* download = CurrentPage<TabAssetDownload>(assetTabs_)) {
        download->SetCheckProgress(static_cast<double>(percent));
    }
}

void MainForm::ShowDownloadSpeed(WPARAM secondsLeft, LPARAM bytesPerSecond) {
    // The worker sends both as 32-bit counts.
    const auto seconds = static_cast<std::int32_t>(secondsLeft);
    if (PreDownloadDownloads()) {
        if (auto* page = CurrentPage<TabPreDlcDownload>(preDlcTabs_)) {
            page->SetSpeed(seconds, static_cast<std::int32_t>(bytesPerSecond));
        }
        return;
    }
    if (!gameButton_ || !assetTabs_) return;
    if (auto* page = CurrentPage<TabAssetDownload>(assetTabs_)) {
        page->SetSpeed(seconds, static_cast<double>(bytesPerSecond));
    }
}

void MainForm::ShowDownloadBytes(WPARAM total, LPARAM done) {
    const auto totalBytes = static_cast<std::int64_t>(total);
    const auto doneBytes = static_cast<std::int64_t>(done);
    if (PreDownloadDownloads()) {
        if (auto* page = CurrentPage<TabPreDlcDownload>(preDlcTabs_)) page->SetBytes(totalBytes, doneBytes);
        return;
    }
    if (!gameButton_ || !assetTabs_) return;
    if (auto* page = CurrentPage<TabAssetDownload>(assetTabs_)) page->SetBytes(totalBytes, doneBytes);
}

void MainForm::OnDownloadPaused(LPARAM lParam) {
    const bool paused = lParam == 1;
    // A downloading pre-download shows its pause on its own page only.
    if (PreDownloadDownloads()) {
        if (auto* page = CurrentPage<TabPreDlcDownload>(preDlcTabs_)) page->SetPaused(paused);
        return;
    }
    if (!gameButton_ || !assetTabs_) return;
    if (auto* page = CurrentPage<TabAssetDownload>(assetTabs_)) page->SetPaused(paused);
    ShowPauseOnGameButton(paused);
}

void MainForm::OnUiTick() {
    if (auto* page = CurrentPage<TabPreDlcDownload>(preDlcTabs_)) {
        page->AnimateDots();
        return;
    }
    // The details popup belongs to the download page: another page closes it.
    if (!preDlcTabs_) return;
    if (auto* page = dynamic_cast<TabPreDlcDownload*>(preDlcTabs_->GetItemAt(TabPreDlc::kDownload))) page->ClosePopup();
}

void MainForm::RefreshPreDlcTexts() {
    if (auto* page = CurrentPage<TabPreDlc>(preDlcTabs_)) page->Refresh(TabPreDlc::kCodeTextsOnly);
}

void MainForm::RegisterGameWindow(HWND window) {
    LauncherContext::Instance()->gameWindows.Register(window);
}

void MainForm::AnswerPreDlcQuery(UINT message) {
    LauncherContext* context = LauncherContext::Instance();
    if (message == kMsgQueryPreDlcState) {
        if (auto* page = CurrentPage<TabPreDlc>(preDlcTabs_)) {
            page->ReportStatus();
        } else {
            context->SendToGameWindows(kMsgPreDlcState, 0, 0);
        }
        return;
    }
    const auto* page = CurrentPage<TabPreDlcDownload>(preDlcTabs_);
    if (message == kMsgQueryPreDlcBytes) {
        context->SendToGameWindows(kMsgPreDlcBytes, page ? static_cast<WPARAM>(page->totalBytes) : 0,
                                   page ? static_cast<LPARAM>(page->doneBytes) : 0);
        return;
    }
    // Blocked, paused or stopped: no speed to tell.
    const bool moving = page && !page->IsWaiting();
    context->SendToGameWindows(kMsgPreDlcSpeed, moving ? static_cast<WPARAM>(page->secondsLeft) : 0,
                               moving ? static_cast<LPARAM>(page->bytesPerSecond) : 0);
}
