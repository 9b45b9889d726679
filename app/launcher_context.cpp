#include "app/launcher_context.h"

#include <utility>

#include "app/command_line.h"
#include "app/download_seam.h"
#include "app/self_update_seam.h"
#include "app/file_util.h"
#include "app/first_run.h"
#include "app/installed_versions.h"
#include "app/language_codes.h"
#include "base/path_util.h"
#include "base/string_conversions.h"

Guarded<std::wstring> ChannelName{L"AppStore"};

namespace {

constexpr int kLanguageTypeOfThisBuild = 4;  // "zh_TW"

bool IsBusy(int type, int mode) {
    if (type == kNoStateType) return false;
    return mode == kLauncherMode || (type >= kPrepareStateType && type <= kApplyUpdateStateType);
}

}  // namespace

LauncherContext* LauncherContext::Instance() {
    static LauncherContext context;
    return &context;
}

LauncherContext::LauncherContext() = default;
LauncherContext::~LauncherContext() = default;

void LauncherContext::Init() {
    if (!FolderExistsW(GetSaveDirW())) CreateDirectoriesW(GetSaveDirW());
    firstRun = false;
    askCloseBehaviour = false;
    if (!LoadInstallPackageType()) installPackageType.Set(std::string());

    if (!LoadSettings()) {
        firstRun = true;
        askCloseBehaviour = true;
        settings.Update([](LauncherSettings& s) {
            s.languageType = LanguageTypeForLocale(::GetUserDefaultLCID());
            s.gamePath = FirstRunGamePath(kbase::GetOwnModuleDirectory());
        });
        SaveSettings();
    }
    if (!LoadDownloadLog()) {
        downloadLog.Set(DownloadLog());
        SaveDownloadLog();
    }
    LoadGid();

    std::string commandLineCode;
    if (CommandLineLanguage.given()) kbase::WideToCodePage(CommandLineLanguage.value(), commandLineCode, CP_ACP);
    settings.Update([&commandLineCode](LauncherSettings& s) {
        if (s.gamePath.empty()) s.gamePath = GetDefaultGameDirW();
        if (const auto index = FindLanguageIndex(commandLineCode)) s.languageType = *index;
        // This build always runs in its channel's language, whatever the file or the
        // command line said; the file keeps what the user chose.
        s.languageType = kLanguageTypeOfThisBuild;
        s.language = std::string(LanguageCodeAt(kLanguageTypeOfThisBuild));
    });
    ChannelName.Set(L"TW");

    LoadEndpointConfig();
    if (SelfUpdateService* selfUpdate = GetSelfUpdateService()) selfUpdate->InstallFonts();
    gameFileRenames = {
        {L"KORU_Data/Resources/unity_default_resources", L"KORU_Data/Resources/unity default resources"},
        {L"KORU_Data/Plugins/x86_64/VuplexWebViewChromium/Vuplex_WebView.vuplex",
         L"KORU_Data/Plugins/x86_64/VuplexWebViewChromium/Vuplex WebView.vuplex"},
    };
}

void LauncherContext::InitVersionState() {
    if (DownloadService* downloads = GetDownloadService()) downloads->Init();
    launcherExeUpdated = false;
    showLauncherUpdatePrompt = true;
    restartAfterExit = false;
    cefFilesPending = false;
    fontFilesPending = false;
    uiResourcesChanged = 0;
    languageChanged = false;
    autoEnterGame = false;
    for (const char* name : kVersionMapNames) ResetVersionMap(name);
    preDownloadFolders.clear();
    ListSubfolders(GetPreDownloadDir(), preDownloadFolders);
    launcherVersion.Set(ReadLauncherVersion(L".\\"));
    LoadLocalGameVersion();
}

void LauncherContext::Shutdown() {
    if (DownloadService* downloads = GetDownloadService()) downloads->Shutdown();
    if (currentState) {
        currentState->Exit(nullptr);
        currentState.reset();
        currentStateType_ = kNoStateType;
    }
    preDownloadState.reset();
    preDownloadStep = 0;
    preDownloadActive = false;
    for (const char* name : kVersionMapNames) versionMaps.erase(name);
}

void LauncherContext::SetState(std::unique_ptr<UpdateState> next) {
    const int current = currentState ? currentState->GetType() : -1;
    const int wanted = next ? next->GetType() : -1;
    if (current == wanted &&
        (!currentState || !next || (currentState->GetMode() == 0) == (next->GetMode() == 0))) {
        return;  // refused: next is destroyed unentered
    }
    if (currentState) currentState->Exit(next.get());
    std::unique_ptr<UpdateState> previous = std::exchange(currentState, std::move(next));
    currentStateMode_ = currentState ? currentState->GetMode() : 0;
    currentStateType_ = currentState ? currentState->GetType() : kNoStateType;
    if (currentState) currentState->Enter(previous.get());
}

bool LauncherContext::IsUpdateInProgress() const {
    return IsBusy(currentStateType_.load(), currentStateMode_.load());
}

VersionMap& LauncherContext::ResetVersionMap(const std::string& name) {
    VersionMap& map = versionMaps[name];
    map.clear();
    return map;
}
