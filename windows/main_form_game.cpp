// The game button and the game-area tab box beside it: the rule that picks the button's text,
// its enabled state and the page, the automatic continue or update it may start, the click,
// and the look of a pause.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/file_util.h"
#include "app/game_launcher.h"
#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "app/md5.h"
#include "download/download_manager.h"
#include "ui/button.h"
#include "ui/event_args.h"
#include "ui/tab_box.h"
#include "windows/main_form.h"
#include "windows/page_controls.h"
#include "windows/tab_asset.h"

namespace {

struct ActionTelemetry {
    const wchar_t* textId;
    const char* detailId;
    const char* activity;
    const char* word;
};

constexpr ActionTelemetry kActionTelemetry[] = {
    {kGetGameText, "14", "click_launch_download_game", "install"},
    {kStartGameText, "18", "click_launch_play_game", "play"},
    {kContinueDownloadText, "16", "click_launch_continue_download_game", "continue"},
    {kUpdateGameText, "20", "click_launch_update_game", "update"},
};

void SendActionTelemetry(const std::wstring& textId) {
    for (const ActionTelemetry& action : kActionTelemetry) {
        if (textId != action.textId) continue;
        LauncherContext* context = LauncherContext::Instance();
        context->TrackLauncherDetail(action.detailId, "", "", "");
        context->TrackActivity(action.activity, "", "", "");
        TrackUiClick("click_button", action.word);
        context->TrackLauncherEvent("", "", "", "", action.word, false);
        return;
    }
}

GameButtonInputs ReadGameButtonInputs() {
    LauncherContext* context = LauncherContext::Instance();
    GameButtonInputs in;
    in.stateType = context->CurrentStateType();
    in.stateMode = context->CurrentStateMode();
    in.downloadsPaused = DownloadManager::Instance().paused;
    in.gameExecutableExists = context->IsGameInstalled(L"");
    in.pendingVersionMap = context->HasUnfinishedGameDownload();
    in.updateAvailable = !in.pendingVersionMap && in.gameExecutableExists && context->IsGameUpdateAvailable();
    in.autoUpdate = context->settings.Get().autoUpdate;
    in.updateErrorShown = context->updateErrorShown;
    in.messageBoxOpen = context->messageBoxOpen;
    in.messageBoxShown = context->messageBoxShown;
    in.gameRunning = IsGameRunning();
    return in;
}

std::wstring GameFolder() {
    return NormalizePathW(LauncherContext::Instance()->settings.Get().gamePath, true);
}

}  // namespace

void MainForm::InitGameArea() {
    gameButton_ = dynamic_cast<ui::Button*>(FindControl(std::wstring(L"btn_game")));
    assetTabs_ = dynamic_cast<ui::TabBox*>(FindControl(std::wstring(L"tab_assets")));
    if (!gameButton_ || !assetTabs_) {
        gameButton_ = nullptr;
        assetTabs_ = nullptr;
        return;
    }
    MainComponents::AddAssetPages(assetTabs_);
    gameButton_->EventMapAt(ui::kEventClick).push_back(
        MakeWeakCallback([this](ui::EventArgs* args) { return OnGameButton(args); }));
    SetGameButtonText(kStartGameText, true);
    gameButton_->SetEnabled(false);
}

void MainForm::SetGameButtonText(const std::wstring& textId, bool keepLiteralText) {
    if (gameButton_) gameButton_->SetTextId(textId, !keepLiteralText);
}

void MainForm::UpdateGameButton() {
    if (!gameButton_ || !assetTabs_) return;
    const GameButtonLook look = DecideGameButton(ReadGameButtonInputs());
    if (!look.textId.empty()) SetGameButtonText(look.textId, look.keepLiteralText);
    gameButton_->SetEnabled(look.enabled);
    StartAutomatically(look.autoStart);
    assetTabs_->SelectItem(look.page);
    if (auto* page = CurrentPage<MainComponents::TabAsset>(assetTabs_)) page->Refresh();
}

void MainForm::StartAutomatically(AutoStart start) {
    if (start == AutoStart::kNone) return;
    SendActionTelemetry(start == AutoStart::kUpdate ? kUpdateGameText : kContinueDownloadText);
    LauncherContext::Instance()->StartGameUpdate(true, true);
}

bool MainForm::OnGameButton(ui::EventArgs* args) {
    if (!gameButton_ || !args || args->sender != gameButton_) return true;
    LauncherContext* context = LauncherContext::Instance();
    std::vector<int> freeSlots;
    const int running = CountRunningGameInstances(freeSlots);
    if (running == 0) {
        const std::wstring textId = gameButton_->GetTextId();
        if (textId == kGetGameText) {
            // A short drive has shown its own notice.
            if (!context->CheckDiskSpaceForInstall(nullptr)) return true;
            CreateDirectoriesW(GameFolder());
            context->StartGameUpdate(true, false);
        } else if (textId == kStartGameText) {
            // The game starts through an update check, whose last state enters it.
            context->StartGameUpdate(true, false);
        } else if (textId == kContinueDownloadText || textId == kUpdateGameText) {
            context->StartGameUpdate(true, true);
        }
        SendActionTelemetry(textId);
        return true;
    }
    if (freeSlots.empty()) {
        context->ShowMessageBox(GetHWND(), L"STRING_ERROR_NOTICE", L"STRING_ERROR_EXCEED_MAX_GAME_INSTANCE", L"",
                                L"STRING_CONFIRM", nullptr);
        return true;
    }
    std::ifstream map(std::filesystem::path(GameFolder() + L"version_map.txt"), std::ios::binary);
    std::string md5;
    std::int64_t size = 0;
    if (!map || !Md5OfStream(map, md5, size)) {
        context->ShowMessageBox(GetHWND(), L"STRING_ERROR_NOTICE", L"STRING_ERROR_CHECK_GAME_FAILED", L"",
                                L"STRING_CONFIRM", nullptr);
        return true;
    }
    context->StartGame(md5, freeSlots.front());
    context->SendToMainWindow(kMsgHideToTray, 0, 0);
    return true;
}

void MainForm::ShowPauseOnGameButton(bool paused) {
    if (!gameButton_) return;
    const std::wstring current = gameButton_->GetTextId();
    SetGameButtonText(paused ? pausedText_.Pause(current) : pausedText_.Resume(current), true);
}
