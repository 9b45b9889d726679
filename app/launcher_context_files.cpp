#include "app/launcher_context.h"

#include "app/autostart.h"
#include "app/download_seam.h"
#include "app/file_util.h"
#include "app/identity_files.h"
#include "app/settings_apply.h"

bool LauncherContext::LoadSettings() {
    LauncherSettings read = settings.Get();
    if (!ReadSettingsFile(SettingsFilePath(), read)) return false;
    settings.Set(read);
    return true;
}

void LauncherContext::SaveSettings() {
    WriteSettingsFile(SettingsFilePath(), settings.Get());
}

bool LauncherContext::LoadDownloadLog() {
    DownloadLog read = downloadLog.Get();
    if (!ReadDownloadLogFile(DownloadLogFilePath(), read)) return false;
    downloadLog.Set(read);
    return true;
}

void LauncherContext::SaveDownloadLog() {
    WriteDownloadLogFile(DownloadLogFilePath(), downloadLog.Get());
}

void LauncherContext::LoadGid() {
    gid.Set(ReadGid(GetSaveDirW(), settings.Get().gamePath));
}

bool LauncherContext::LoadInstallPackageType() {
    std::string type = installPackageType.Get();
    if (!ReadInstallPackageType(ExtraConfigFilePath(), type)) return false;
    installPackageType.Set(type);
    return true;
}

void LauncherContext::LoadEndpointConfig() {
    ReadEndpointFile(EndpointFilePath(), endpoints);
}

void LauncherContext::ApplySettings(const LauncherSettings& edited) {
    const SettingsChanges changes = settings.Update(
        [&edited](LauncherSettings& live) { return ApplyEditedSettings(live, edited, SetAutostart); });
    if (!changes.changed) return;
    SaveSettings();
    if (DownloadService* downloads = GetDownloadService()) {
        if (changes.speedChanged) downloads->ApplySpeedLimit(0);
        if (changes.predlcSpeedChanged) downloads->ApplySpeedLimit(1);
    }
    if (changes.languageChanged) languageChanged = true;
    TrackSettings(changes.autostartText, changes.closeText, changes.downloadCap, changes.predlcCap);
}
