#include "update/download_files_state.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/file_probe.h"
#include "app/file_util.h"
#include "app/installed_versions.h"
#include "app/launcher_messages.h"
#include "app/predownload_folders.h"
#include "app/safe_path.h"
#include "base/path_util.h"
#include "download/download_manager.h"
#include "update/apply_update_state.h"
#include "update/patch_applier.h"
#include "update/patch_bases.h"
#include "update/predownload_adoption.h"
#include "update/request_dispatch.h"
#include "update/state_transitions.h"
#include "update/update_paths.h"

namespace {

// One download of the batch: the file under update\, its request path and what it must be.
struct FileToFetch {
    std::string name;
    std::string path;
    std::string md5;
    std::int64_t size = 0;
};

// The installed files and the map that lists them, of the mode's installation.
struct Installation {
    VersionMap map;
    std::function<std::wstring(const std::string& key)> file;
};

Installation LoadInstallation(int mode) {
    LauncherContext* context = LauncherContext::Instance();
    Installation installed;
    std::string error;
    if (mode == kLauncherMode) {
        LoadLauncherVersionMap(L".\\", installed.map, error);
        installed.file = &LauncherFilePath;
    } else {
        const std::wstring gamePath = context->settings.Get().gamePath;
        LoadLocalGameVersionMap(gamePath, installed.map, error);
        installed.file = [gamePath, renames = context->CopyRenameMap()](const std::string& key) {
            return InstalledGameFilePath(gamePath, key, renames);
        };
    }
    return installed;
}

}  // namespace

void DownloadFilesState::Enter(UpdateState*) {
    if (mode == kLauncherMode) {
        StartDownloads();
        return;
    }
    DownloadManager& downloads = DownloadManager::Instance();
    downloads.activeUrls = downloads.dlcUrls;
    const std::string probe = BuildPatchPath("KORU.exe.patch");
    // Without a base URL the manager does not answer at all; that is a failed probe too.
    if (!downloads.ProbeFile(probe, "", &DispatchFileChecked, kDownloadFilesStateType)) {
        Fail(-1, "ProbeFile URL is empty", probe);
    }
}

void DownloadFilesState::Exit(UpdateState*) {
    queuedFiles = 0;
    finishedFiles = 0;
}

void DownloadFilesState::Fail(int code, const std::string& message, const std::string& detail) {
    result = -1;
    errorCode = code;
    errorMessage = message;
    errorDetail = detail;
}

void DownloadFilesState::OnFileChecked(int code, std::string url, bool exists, std::string error) {
    if (code < 0) {
        Fail(code, error, url);
        return;
    }
    AltPatchSuffix = !exists;
    StartDownloads();
}

bool DownloadFilesState::FindPreDownload(const std::string& folder) {
    if (!FolderExists(folder)) return false;
    if (CanOpenForReading(kbase::WidePath(NormalizePath(folder, true) + kPendingPreDownloadMapName))) {
        LauncherContext::Instance()->ShowMessageBox(
            nullptr, L"STRING_ERROR_NOTICE", L"STRING_ERROR_DLC_CLOSE", L"", L"STRING_CONFIRM",
            [](int) { LauncherContext::Instance()->SendToMainWindow(kMsgPreDlcStatus, 0, 0); });
    }
    return true;
}

void DownloadFilesState::StartDownloads() {
    LauncherContext* context = LauncherContext::Instance();
    DownloadManager& downloads = DownloadManager::Instance();
    context->SendToMainWindow(kMsgStateChanged, 0, 0);
    const bool game = mode != kLauncherMode;
    const VersionMap& toUpdate = context->versionMaps[game ? "_update_game_version_" : "_update_launcher_version_"];
    VersionMap& patches = context->versionMaps[game ? "_game_patch_version_" : "_launcher_patch_version_"];
    result = 0;
    downloads.activeUrls = downloads.dlcUrls;
    downloads.CancelAll(0);

    // The version names a folder: only a well-formed one is looked at.
    const std::string version = context->remoteGameVersion.Get();
    const std::string preDownloadFolder = GetPreDownloadDir() + "\\" + version;
    const bool withPreDownload = game && IsSafeVersionFolderName(version) && FindPreDownload(preDownloadFolder);

    downloads.ResetSpeedStats();
    queuedFiles = 0;
    finishedFiles = 0;
    if (context->PatchOption > 0 && !patches.empty()) {
        // What is dropped here is fetched whole, and the apply then copies it instead of patching.
        const Installation installed = LoadInstallation(mode);
        DropPatchesWithoutTheirBase(patches, toUpdate, installed.map, installed.file);
    }
    const bool usePatches = context->PatchOption > 0 && !patches.empty();
    std::vector<FileToFetch> files;
    std::map<std::string, int> usesOfContent;
    for (const auto& [key, entry] : toUpdate) {
        FileToFetch file{key, key, entry.md5, entry.size};
        if (usePatches) {
            if (const auto patch = patches.find(key); patch != patches.end()) {
                file.name = key + CurrentPatchSuffix();
                file.path = BuildPatchPath(file.name);
                file.md5 = patch->second.md5;
                file.size = patch->second.size;
            }
        }
        ++usesOfContent[file.md5];
        files.push_back(std::move(file));
    }
    std::int64_t total = 0;
    for (const FileToFetch& file : files) {
        std::string unsafe;
        if (!IsSafeRelativePath(file.name, &unsafe)) {
            Fail(-1, "Invalid file path:" + file.name, unsafe);
            continue;
        }
        // The pre-download keeps one file per content; the last entry that wants it takes it.
        const bool shared = --usesOfContent[file.md5] > 0;
        if (withPreDownload && AdoptPreDownloadedFile(preDownloadFolder, kUpdateDir, file.name, file.md5, shared)) {
            continue;
        }
        ++queuedFiles;
        total += file.size;
        downloads.DownloadFile(file.path, UpdateFilePath(file.name), file.md5, file.size, &DispatchFileDone,
                               &DispatchProgress, kDownloadFilesStateType, 0, 0);
    }
    downloads.totalBytes = total;
    downloads.statsStartTick = ::GetTickCount();
    context->SendToMainWindow(kMsgDownloadProgress, static_cast<WPARAM>(downloads.totalBytes),
                              static_cast<LPARAM>(downloads.downloadedBytes));
}

void DownloadFilesState::OnFileDone(int code, std::string url, std::string message) {
    if (code < 0) {
        Fail(code, message, url);
        return;
    }
    ++finishedFiles;
}

void DownloadFilesState::Update() {
    if (result < 0) {
        LeaveFailedState(*this);
        return;
    }
    if (finishedFiles < queuedFiles) return;
    DownloadManager& downloads = DownloadManager::Instance();
    downloads.TrackDownloadStatus("done");
    if (mode != kLauncherMode) {
        if (LauncherContext::Instance()->downloadLog.Get().firstInstall) {
            downloads.TrackDownloadSummary("17", "download_game_finish", true);
        } else {
            downloads.TrackDownloadSummary("22", "update_game_finish", true);
        }
    }
    LauncherContext::Instance()->SetState(std::make_unique<ApplyUpdateState>(mode));
}
