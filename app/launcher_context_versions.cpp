#include "app/launcher_context.h"

#include "app/file_util.h"
#include "app/installed_versions.h"
#include "app/predownload_folders.h"

void LauncherContext::LoadLocalGameVersion() {
    const LocalGameVersion installed = ReadLocalGameVersion(settings.Get().gamePath);
    localGameVersion.Set(installed.version);
    remoteGameVersion.Set(installed.version);
    displayGameVersion.Set(installed.display);
}

bool LauncherContext::IsGameUpdateAvailable() const {
    return ::IsGameUpdateAvailable(localGameVersion.Get(), remoteGameVersion.Get());
}

int LauncherContext::CheckLocalPreDownload() {
    return ::CheckLocalPreDownload(GetPreDownloadDir(), remotePreDownloadVersion.Get(), preDownloadFolders,
                                   versionMaps["_local_predownload_version_"]);
}

int LauncherContext::PrunePreDownloadFolders() {
    return ::PrunePreDownloadFolders(GetPreDownloadDir(), localGameVersion.Get(), preDownloadFolders);
}

bool LauncherContext::HasUnfinishedPreDownload() const {
    return ::HasUnfinishedPreDownload(GetPreDownloadDir(), remotePreDownloadVersion.Get());
}
