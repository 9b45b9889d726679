#include "update/predownload_state.h"

#include <windows.h>

#include <cstdint>
#include <list>
#include <set>
#include <vector>

#include "app/file_probe.h"
#include "app/file_util.h"
#include "app/game_launcher.h"
#include "app/installed_versions.h"
#include "app/launcher_messages.h"
#include "app/predownload_folders.h"
#include "app/safe_path.h"
#include "app/thread_ids.h"
#include "app/version_compare.h"
#include "base/path_util.h"
#include "base/thread_registry.h"
#include "download/download_manager.h"
#include "update/gate_answer.h"
#include "update/patch_applier.h"
#include "update/request_dispatch.h"
#include "update/request_paths.h"
#include "update/ui_text.h"
#include "update/update_paths.h"

namespace {

std::string BodyText(const char* body, int length) {
    return body && length > 0 ? std::string(body, static_cast<std::size_t>(length)) : std::string();
}

// The text that explains why the offered version is not pre-downloaded.
std::string VersionRefusal(int comparison) {
    switch (comparison) {
        case kOlderThanOtherBase: return UiTextUtf8(L"STRING_ERROR_DLC_OUTDATED");
        case kNotNewerThanBase: return UiTextUtf8(L"STRING_ERROR_DLC_LAST");
        case kNewerThanOtherBase: return UiTextUtf8(L"STRING_ERROR_DLC_FIRST");
        default: return "PreDlc check failed:" + std::to_string(comparison);
    }
}

// One file to fetch: where from, where to, and what it must be.
struct PreDownloadFile {
    std::string serverPath;
    std::string localFile;
    std::string md5;
    std::int64_t size = 0;
};

}  // namespace

void PreDownloadState::Enter(UpdateState*) {
    mode = kGameMode;
    if (!FolderExists(GetPreDownloadDir())) CreateDirectories(GetPreDownloadDir());
    downloadOutstanding = false;
    GoTo(kPreDownloadAddresses);
    LauncherContext::Instance()->SendToMainWindow(kMsgPreDlcStatus, 2, 0);
}

void PreDownloadState::SetStep(int next) {
    step = next;
    LauncherContext::Instance()->preDownloadStep = next;
}

void PreDownloadState::GoTo(int next) {
    SetStep(next);
    result = next;
}

void PreDownloadState::Fail(int code, const std::string& message, const std::string& detail) {
    result = -1;
    SetStep(kPreDownloadFailed);
    errorCode = code;
    errorMessage = message;
    errorDetail = detail;
}

std::string PreDownloadState::VersionFolder() const {
    const std::string version = LauncherContext::Instance()->remotePreDownloadVersion.Get();
    return IsSafeVersionFolderName(version) ? GetPreDownloadDir() + "\\" + version : std::string();
}

void PreDownloadState::Update() {
    LauncherContext* context = LauncherContext::Instance();
    DownloadManager& downloads = DownloadManager::Instance();
    if (result > 0) {
        switch (step) {
            case kPreDownloadAddresses:
            case kPreDownloadGate:
            case kPreDownloadRemoteMap:
            case kPreDownloadPatchList: {
                result = 0;
                const bool gate = step == kPreDownloadAddresses || step == kPreDownloadGate;
                downloads.activeUrls = gate ? downloads.gateUrls : downloads.dlcUrls;
                const std::string path = step == kPreDownloadAddresses ? BuildPreDownloadRequest()
                                         : step == kPreDownloadGate    ? BuildUrlsRequest()
                                         : step == kPreDownloadRemoteMap ? std::string("version_map.txt")
                                                                         : BuildPatchPath("patch_list.txt");
                downloads.DownloadMemory(path, "", &DispatchPreDownloadRequestDone, kPreDownloadStateType);
                return;
            }
            case kPreDownloadDownloading: {
                downloads.activeUrls = downloads.dlcUrls;
                const std::string probe = BuildPatchPath("KORU.exe.patch");
                // Without a base URL the manager does not answer at all.
                if (!downloads.ProbeFile(probe, "", &DispatchPreDownloadFileChecked, kPreDownloadStateType)) {
                    Fail(-1, "ProbeFile URL is empty", probe);
                }
                return;
            }
            case kPreDownloadFinishing:
                Finish();
                return;
            default:
                return;
        }
    }
    if (result < 0 && step == kPreDownloadFailed) {
        SetStep(kPreDownloadEnded);
        context->SendToMainWindow(kMsgPreDlcStatus, 0, 0);
        context->predownloadRequested = false;
        if (errorMessage.empty()) {
            context->StopPreDownload(true);
            return;
        }
        // Checked on the worker, which deletes tasks: by the answer this one may be gone already.
        auto stopThisTask = MakeWeakCallback([] { LauncherContext::Instance()->StopPreDownload(true); });
        ShowError(L"", L"STRING_CONFIRM", [stopThisTask](bool) {
            kbase::ThreadRegistry::GetInstance()->PostTask(kWorkerThreadId, stopThisTask);
        });
        return;
    }
    if (result == 0 && step == kPreDownloadDownloading) CheckDownloadsDone();
}

void PreDownloadState::Exit(UpdateState*) {
    if (step == kPreDownloadDownloading) DownloadManager::Instance().CancelAll(1);
    SetStep(kPreDownloadEnded);
    filesLeft = 0;
    result = 0;
}

void PreDownloadState::OnFileDone(int code, std::string url, std::string message) {
    if (!DownloadsRunning()) return;
    if (code >= 0) {
        --filesLeft;
    } else {
        Fail(code, message, url);
    }
}

void PreDownloadState::OnFileChecked(int code, std::string url, bool exists, std::string error) {
    if (code >= 0) {
        AltPatchSuffix = !exists;
        StartPreDownloads();
    } else if (result >= 0) {
        Fail(code, error, url);
    }
}

void PreDownloadState::OnProgress(double bytesPerSecond) {
    if (DownloadsRunning()) DownloadManager::Instance().AddSpeedSample(bytesPerSecond);
}

void PreDownloadState::OnRequestDone(int code, std::string url, const char* body, int length, std::string error) {
    result = -1;
    const std::string text = BodyText(body, length);
    if (code < 0) {
        if (step == kPreDownloadPatchList) {
            GoTo(kPreDownloadDownloading);  // whole files instead
        } else if (step == kPreDownloadAddresses) {
            GoTo(kPreDownloadGate);
        } else {
            Fail(code, "PreDlc Request:7 Failed:" + error, url);
        }
        return;
    }
    switch (step) {
        case kPreDownloadAddresses: {
            std::vector<std::string> addresses;
            std::string parseError;
            if (ParseInfoAddresses(text, addresses, parseError) && !addresses.empty()) {
                DownloadManager::Instance().SetDlcUrls(addresses);
                GoTo(kPreDownloadRemoteMap);
            } else {
                GoTo(kPreDownloadGate);
            }
            return;
        }
        case kPreDownloadGate: {
            std::vector<std::string> dlcAddr, preDlcAddr;
            std::string parseError;
            if (!ParseGateResponse(text, dlcAddr, preDlcAddr, parseError, true)) {
                Fail(errorCode, "PreDlc parse gate dlcAddr Failed:" + parseError, AnswerDetail(text));
            } else if (preDlcAddr.empty()) {
                Fail(errorCode, "", "");  // no pre-download on offer: a quiet end
            } else {
                DownloadManager::Instance().SetDlcUrls(preDlcAddr);
                GoTo(kPreDownloadRemoteMap);
            }
            return;
        }
        case kPreDownloadRemoteMap:
            CheckOfferedVersion(text);
            return;
        case kPreDownloadPatchList: {
            std::string parseError;
            ParseVersionMap(text, LauncherContext::Instance()->ResetVersionMap("_predownload_patch_version_"),
                            parseError);
            GoTo(kPreDownloadDownloading);
            return;
        }
        default:
            Fail(errorCode, "PreDlc Request:7 Failed: unknown", url);
            return;
    }
}

void PreDownloadState::CheckOfferedVersion(const std::string& body) {
    LauncherContext* context = LauncherContext::Instance();
    VersionMap& offered = context->versionMaps["_remote_predownload_version_"];
    std::string error;
    if (!ParseVersionMap(body, offered, error)) {
        Fail(errorCode, "PreDlc parse remote Failed: :" + error, body);
        return;
    }
    const std::string version = GetVersionMapVersion(offered);
    const int comparison = CompareVersions(version, context->localGameVersion.Get(), context->remoteGameVersion.Get());
    if (comparison != kVersionNewer) {
        Fail(errorCode, VersionRefusal(comparison), "");
        return;
    }
    // The version names a folder, so it must be nothing but a version.
    if (!IsSafeVersionFolderName(version)) {
        Fail(errorCode, "PreDlc invalid version:" + version, "");
        return;
    }
    context->remotePreDownloadVersion.Set(version);
    const std::string folder = VersionFolder();
    if (!FolderExists(folder)) CreateDirectories(folder);
    if (context->predownloadRequested) {
        WriteStringToFile(NormalizePath(folder, true) + kPendingPreDownloadMapName, body);
    }
    VersionMap& toFetch = context->ResetVersionMap("_update_predownload_version_");
    VersionMap installed;
    if (LoadLocalGameVersionMap(context->settings.Get().gamePath, installed, error)) {
        std::list<std::string> removed;
        DiffVersionMaps(installed, offered, toFetch, removed);
    }
    if (toFetch.empty()) {
        GoTo(kPreDownloadFinishing);
        return;
    }
    downloadOutstanding = true;
    if (!context->predownloadRequested) {
        GoTo(kPreDownloadFinishing);
        return;
    }
    context->ResetVersionMap("_predownload_patch_version_");
    const bool patchList = context->PatchOption > 0 && !context->localGameVersion.Get().empty();
    GoTo(patchList ? kPreDownloadPatchList : kPreDownloadDownloading);
}

void PreDownloadState::StartPreDownloads() {
    LauncherContext* context = LauncherContext::Instance();
    DownloadManager& downloads = DownloadManager::Instance();
    downloads.activeUrls = downloads.dlcUrls;
    downloads.CancelAll(1);
    result = 0;
    downloads.ResetSpeedStats();

    const VersionMap& toFetch = context->versionMaps["_update_predownload_version_"];
    const VersionMap& patches = context->versionMaps["_predownload_patch_version_"];
    const bool patching = context->PatchOption > 0 && !patches.empty();
    const std::string folder = NormalizePath(VersionFolder(), true);
    // Files are named by their MD5, so entries with equal content share one download.
    std::vector<PreDownloadFile> files;
    std::set<std::string> named;
    for (const auto& [key, entry] : toFetch) {
        PreDownloadFile file{key, std::string(), entry.md5, entry.size};
        if (patching) {
            if (const auto patch = patches.find(key); patch != patches.end()) {
                file.serverPath = BuildPatchPath(key + CurrentPatchSuffix());
                file.md5 = patch->second.md5;
                file.size = patch->second.size;
            }
        }
        if (file.md5.empty() || !IsSafeRelativePath(file.md5)) {
            Fail(-1, "PreDlc invalid file name:" + key, file.md5);
            return;
        }
        file.localFile = folder + file.md5;
        if (named.insert(file.localFile).second) files.push_back(std::move(file));
    }
    filesLeft = static_cast<int>(files.size());
    std::int64_t total = 0;
    for (const PreDownloadFile& file : files) {
        total += file.size;
        downloads.DownloadFile(file.serverPath, file.localFile, file.md5, file.size, &DispatchPreDownloadFileDone,
                               &DispatchPreDownloadProgress, kPreDownloadStateType, 0, 0);
    }
    downloads.totalBytes = total;
    downloads.statsStartTick = ::GetTickCount();
    context->SendToMainWindow(kMsgDownloadProgress, static_cast<WPARAM>(total),
                              static_cast<LPARAM>(downloads.downloadedBytes));
    context->SendToMainWindow(kMsgPreDlcStatus, 2, 1);
    context->SendToGameWindows(kMsgPreDlcState, 0, 3);
}

void PreDownloadState::CheckDownloadsDone() {
    if (filesLeft > 0) return;
    const std::string folder = NormalizePath(VersionFolder(), true);
    const std::wstring pending = kbase::WidePath(folder + kPendingPreDownloadMapName);
    if (CanOpenForReading(pending)) {
        ::MoveFileExW(pending.c_str(), kbase::WidePath(folder + kPreDownloadMapName).c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    downloadOutstanding = false;
    GoTo(kPreDownloadFinishing);
    DownloadManager::Instance().TrackDownloadStatus("done");
}

void PreDownloadState::Finish() {
    LauncherContext* context = LauncherContext::Instance();
    SetStep(kPreDownloadEnded);
    result = 0;
    if (downloadOutstanding) {
        context->SendToMainWindow(kMsgPreDlcStatus, 1, 0);
    } else {
        const std::string version = context->remotePreDownloadVersion.Get();
        bool known = false;
        for (const std::string& name : context->preDownloadFolders) known |= name == version;
        if (!known) context->preDownloadFolders.push_back(version);
        context->SendToMainWindow(kMsgPreDlcStatus, 3, 0);
        context->SendToGameWindows(kMsgPreDlcState, 0, 4);
    }
    context->predownloadRequested = false;
    context->StopPreDownload(true);
}
