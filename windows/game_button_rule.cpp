#include "windows/game_button_rule.h"

#include "app/update_state.h"

namespace {

bool IsGameUpdateType(int type) { return type >= kPrepareStateType && type <= kApplyUpdateStateType; }

int BusyPage(int type) { return type <= kCheckVersionStateType ? kGameAreaCheck : kGameAreaDownload; }

}  // namespace

GameButtonLook DecideGameButton(const GameButtonInputs& in) {
    GameButtonLook look;
    if (in.stateType != 0 && in.stateMode == kLauncherMode) {
        look.page = BusyPage(in.stateType);
        return look;
    }
    if (in.stateType != 0 && IsGameUpdateType(in.stateType)) {
        look.textId = in.downloadsPaused ? kPausedText : kStartGameText;
        look.keepLiteralText = in.downloadsPaused;
        look.page = BusyPage(in.stateType);
        return look;
    }
    look.enabled = true;
    if (!in.gameExecutableExists && !in.pendingVersionMap) {
        look.textId = kGetGameText;
        look.page = kGameAreaSetup;
        return look;
    }
    if (in.pendingVersionMap) {
        look.textId = kContinueDownloadText;
        // Once any box was shown in this run, an interrupted download waits for the user.
        if (!in.updateErrorShown && !in.messageBoxShown && !in.gameRunning) look.autoStart = AutoStart::kContinueDownload;
    } else if (in.updateAvailable) {
        look.textId = kUpdateGameText;
        if (in.autoUpdate && !in.updateErrorShown && !in.messageBoxOpen && !in.gameRunning) {
            look.autoStart = AutoStart::kUpdate;
        }
    } else {
        look.textId = kStartGameText;
    }
    return look;
}

std::wstring PausedTextMemory::Pause(const std::wstring& current) {
    if (current != kPausedText) saved_ = current;
    return kPausedText;
}

std::wstring PausedTextMemory::Resume(const std::wstring& current) {
    std::wstring restored;
    restored.swap(saved_);
    if (!restored.empty()) return restored;
    // Nothing recorded: a paused look still showing goes back to what a running update shows.
    return current == kPausedText ? std::wstring(kStartGameText) : current;
}
