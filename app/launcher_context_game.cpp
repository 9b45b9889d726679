#include "app/launcher_context.h"

#include <utility>

#include "app/file_probe.h"
#include "app/file_util.h"
#include "app/game_launcher.h"
#include "app/run_program.h"
#include "app/thread_ids.h"
#include "base/path_util.h"
#include "base/thread_registry.h"

namespace {

// A file of the game folder; names from the version maps use '/'.
std::wstring GameFile(const std::wstring& gamePath, const std::wstring& name) {
    return NormalizePathW(NormalizePathW(gamePath, true) + name, false);
}

}  // namespace

bool LauncherContext::IsGameInstalled(const std::wstring& folder) const {
    return CanOpenForReading(GameExecutablePath(folder.empty() ? settings.Get().gamePath : folder));
}

bool LauncherContext::HasUnfinishedGameDownload() const {
    return CanOpenForReading(GameFile(settings.Get().gamePath, L"tmp_version_map.txt"));
}

bool LauncherContext::BringGameToFront() {
    HWND window = gameWindows.FrontWindow();
    if (!window) return false;
    const DWORD ours = ::GetCurrentThreadId();
    const DWORD theirs = ::GetWindowThreadProcessId(window, nullptr);
    const bool attached = theirs != ours && ::AttachThreadInput(ours, theirs, TRUE);
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::SetForegroundWindow(window);
    if (attached) ::AttachThreadInput(ours, theirs, FALSE);
    return true;
}

void LauncherContext::StartGame(const std::string& md5, int slot) {
    if (slot != 0) return;
    const std::wstring gamePath = settings.Get().gamePath;
    if (DeleteLogTXT) DeleteIfPresent(GameFile(gamePath, L"save\\log.txt"));
    RunProgram(GameExecutablePath(gamePath), BuildGameArguments(md5, localGameVersion.Get(), GamePlatformWord(), slot),
               gamePath);
    TrackLauncherEvent("rungame", "", "", "", "pre_install", false);
}

void LauncherContext::ResetGameFiles() {
    const std::wstring gamePath = settings.Get().gamePath;
    for (const auto& [mapName, installedName] : CopyRenameMap()) DeleteIfPresent(GameFile(gamePath, installedName));
    DeleteIfPresent(GameFile(gamePath, L"version_map.txt"));
    StartGameUpdate(false, true);
}

void LauncherContext::StartLauncherUpdate() {
    autoEnterGame = false;
    kbase::ThreadRegistry::GetInstance()->PostTask(kWorkerThreadId, [this] {
        if (stateFactory_.makePrepareState) SetState(stateFactory_.makePrepareState(kLauncherMode));
    });
}

void LauncherContext::StartGameUpdate(bool enterGame, bool honourDisableAutoEnter) {
    autoEnterGame = enterGame && !(honourDisableAutoEnter && endpoints.DisableAutoEnterGame);
    kbase::ThreadRegistry::GetInstance()->PostTask(kWorkerThreadId, [this] {
        if (stateFactory_.makePrepareState) SetState(stateFactory_.makePrepareState(kGameMode));
    });
}

DiskSpaceServices LauncherContext::DiskSpaceBoxes() {
    DiskSpaceServices services;
    services.queryFree = freeSpaceQuery_;
    services.showMessageBox = [this](const std::wstring& titleId, const std::wstring& textId,
                                     const std::wstring& first, const std::wstring& second, DiskSpaceAnswer box) {
        ShowMessageBox(nullptr, titleId, textId, first, second, std::move(box));
    };
    services.showMessageBoxEx = [this](const std::wstring& titleId, const std::wstring& text,
                                       const std::wstring& first, const std::wstring& second, DiskSpaceAnswer box) {
        ShowMessageBoxEx(nullptr, titleId, L"", L"", text, first, second, L"", L"", std::move(box));
    };
    return services;
}

std::wstring LauncherContext::LanguageText(const std::wstring& id) const {
    return ui_.getText ? ui_.getText(id) : std::wstring();
}

bool LauncherContext::CheckDiskSpaceForDownload(DiskSpaceAnswer answer) {
    return CheckDownloadDiskSpace(settings.Get().gamePath, kbase::GetModuleFilePath(nullptr),
                                  LanguageText(L"STRING_ERROR_NEED_DISKSPACE_R"), answer, DiskSpaceBoxes());
}

bool LauncherContext::CheckDiskSpaceForInstall(DiskSpaceAnswer answer) {
    return CheckInstallDiskSpace(settings.Get().gamePath, kbase::GetModuleFilePath(nullptr),
                                 LanguageText(L"STRING_ERROR_NEED_DISKSPACE"), answer, DiskSpaceBoxes());
}
