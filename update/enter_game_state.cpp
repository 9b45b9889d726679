#include "update/enter_game_state.h"

#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "app/file_util.h"
#include "app/game_launcher.h"
#include "app/launcher_messages.h"
#include "app/md5.h"
#include "download/download_manager.h"
#include "update/request_paths.h"
#include "update/update_paths.h"

namespace {

constexpr std::uint32_t kTickModulus = 0x7fffffff;
constexpr std::uint32_t kMinuteMs = 60000;
constexpr std::uint32_t kDefaultRefreshMs = 28800000;        // 8 hours
constexpr std::uint32_t kDefaultLauncherCheckMs = 43200000;  // 12 hours
constexpr std::uint32_t kDefaultPollMs = 1800000;            // 30 minutes, plus one

// Shared by every enter-game state of the process; worker thread only.
std::uint32_t lastRefreshTick = 0;
std::uint32_t lastLauncherCheckTick = 0;
std::uint32_t lastPollTick = 0;

std::uint32_t ReducedTick() {
    return ::GetTickCount() % kTickModulus;
}

bool IsInterval(int minutes) {
    return minutes >= kMinIntervalMinutes && minutes <= kMaxIntervalMinutes;
}

// UI thread: ends the launcher as the tray's exit does, whatever closing the window would do
// (with close-to-tray it only hides). The exit then has the one temporary copy put every waiting
// file in place and start the launcher again.
void RestartForUpdate() {
    LauncherContext* context = LauncherContext::Instance();
    HWND window = context->mainWindow.load();
    if (!window || !::IsWindow(window)) return;
    context->restartAfterExit = true;
    ::SendMessageW(window, kMsgExitLauncher, 0, 0);
}

// Copies a file of the launcher's save folder into the game's; the launcher's copy goes once the
// game's is written.
void HandOverSaveFile(const std::wstring& gameSave, const wchar_t* name) {
    const std::wstring source = std::wstring(L".\\save\\") + name;
    const std::wstring target = NormalizePathW(gameSave, true) + name;
    if (::GetFileAttributesW(source.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    if (::CopyFileW(source.c_str(), target.c_str(), FALSE)) ::DeleteFileW(source.c_str());
}

}  // namespace

EnterGamePeriods ComputeEnterGamePeriods(int refreshInterval, int updateInterval) {
    EnterGamePeriods periods{};
    periods.refreshMs = IsInterval(refreshInterval) ? refreshInterval * kMinuteMs : kDefaultRefreshMs;
    periods.launcherCheckMs = IsInterval(updateInterval) ? updateInterval * kMinuteMs : kDefaultLauncherCheckMs;
    periods.pollMs = (IsInterval(updateInterval) ? updateInterval * kMinuteMs : kDefaultPollMs) + kMinuteMs;
    return periods;
}

void EnterGameState::Enter(UpdateState*) {
    LauncherContext* context = LauncherContext::Instance();
    context->SendToMainWindow(kMsgStateChanged, 0, 0);
    result = 0;
    pollStep = 0;
    pollDlcUrls.clear();
    pollPreDlcUrls.clear();
    const EnterGamePeriods periods =
        ComputeEnterGamePeriods(context->endpoints.RefreshInterval, context->endpoints.UpdateInterval);
    refreshPeriodMs = periods.refreshMs;
    launcherCheckPeriodMs = periods.launcherCheckMs;
    pollPeriodMs = periods.pollMs;
    lastLauncherCheckTick = ReducedTick();
    lastPollTick = 0;

    const bool filesPending = context->launcherExeUpdated || context->cefFilesPending || context->fontFilesPending;
    if (filesPending && context->showLauncherUpdatePrompt) {
        AskToRestart();
        return;
    }
    if (context->autoEnterGame) StartGame();
}

void EnterGameState::AskToRestart() {
    LauncherContext* context = LauncherContext::Instance();
    context->showLauncherUpdatePrompt = false;
    context->SendToMainWindow(kMsgShowLauncher, 0, 0);
    if (context->forceLauncherUpdate) {
        // A forced update restarts whatever the answer, closing the box included.
        context->ShowMessageBox(nullptr, L"STRING_UPDATE_NOTICE", L"STRING_UPDATE_LAUNCHER", L"", L"STRING_CONFIRM",
                                [](int) { RestartForUpdate(); });
        return;
    }
    context->ShowMessageBox(nullptr, L"STRING_UPDATE_NOTICE", L"STRING_UPDATE_LAUNCHER", L"STRING_CANCEL",
                            L"STRING_CONFIRM", [](int answer) {
                                if (answer == 1) RestartForUpdate();
                            });
}

void EnterGameState::StartGame() {
    LauncherContext* context = LauncherContext::Instance();
    const std::wstring gamePath = context->settings.Get().gamePath;
    std::string md5;
    std::int64_t size = 0;
    if (!Md5OfFile(GameFilePath(gamePath, "version_map.txt"), md5, size)) {
        context->ShowMessageBox(nullptr, L"STRING_ERROR_NOTICE", L"STRING_ERROR_CHECK_GAME_FAILED", L"",
                                L"STRING_CONFIRM", nullptr);
        return;
    }
    context->downloadLog.Update([](DownloadLog& log) {
        log.downloadSpeed = 0;
        log.downloadSize = 0;
        log.downloadTime = 0;
    });
    const std::wstring gameSave = GameFilePath(gamePath, "save");
    if (!FolderExistsW(gameSave)) CreateDirectoriesW(gameSave);
    HandOverSaveFile(gameSave, L"gid.txt");
    HandOverSaveFile(gameSave, L"TransToGame");

    std::vector<int> freeSlots;
    CountRunningGameInstances(freeSlots);
    if (freeSlots.empty()) {
        context->ShowMessageBox(nullptr, L"STRING_ERROR_NOTICE", L"STRING_ERROR_EXCEED_MAX_GAME_INSTANCE", L"",
                                L"STRING_CONFIRM", nullptr);
        return;
    }
    context->SendToMainWindow(kMsgHideToTray, 0, 0);
    context->StartGame(md5, freeSlots.front());
    if (context->downloadLog.Update([](DownloadLog& log) { return std::exchange(log.firstInstall, false); })) {
        context->SaveDownloadLog();
    }
}

void EnterGameState::Update() {
    LauncherContext* context = LauncherContext::Instance();
    const std::uint32_t now = ReducedTick();
    if (static_cast<std::uint32_t>(now - lastRefreshTick) >= refreshPeriodMs) {
        lastRefreshTick = now;
        context->SendToMainWindow(kMsgRefreshContent, 0, 0);
    }
    if (pollStep != 0) return;
    DownloadManager::Instance().FlushTracking();
    if (pollStep != 0) return;
    if (static_cast<std::uint32_t>(now - lastLauncherCheckTick) >= launcherCheckPeriodMs) {
        lastLauncherCheckTick = now;
        context->StartLauncherUpdate();
        return;
    }
    if (static_cast<std::uint32_t>(now - lastPollTick) < pollPeriodMs) return;
    if (context->localGameVersion.Get().empty()) return;
    lastPollTick = now;
    // Every step answers before its request returns, so the whole poll ends inside this call.
    RequestPollStep(1, BuildPreDownloadRequest(), DownloadManager::Instance().gateUrls);
}
