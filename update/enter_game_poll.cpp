// The enter-game state's poll for a game version to pre-download: pre-download addresses, gate
// answer, the game's remote map, the offered map and its patch list, one request per step.
#include "update/enter_game_state.h"

#include <cstdint>
#include <list>

#include "app/game_launcher.h"
#include "app/installed_versions.h"
#include "app/json_util.h"
#include "app/predownload_folders.h"
#include "app/launcher_messages.h"
#include "app/version_compare.h"
#include "download/download_manager.h"
#include "update/gate_answer.h"
#include "update/request_dispatch.h"
#include "update/request_paths.h"

namespace {

void SendPreDownloadPage(int page) {
    LauncherContext::Instance()->SendToMainWindow(kMsgPreDlcStatus, static_cast<WPARAM>(page), 0);
}

// The version a game map names: the "md5" of its "version" entry, or a plain "version" text.
std::string GameMapVersion(const std::string& answer) {
    Json::Value root, entry, md5;
    std::string errors, version;
    if (!ParseJson(answer, root, errors) || !FindJsonMember(root, "version", entry)) return {};
    if (entry.isString()) return entry.asString();
    if (entry.isObject() && FindJsonMember(entry, "md5", md5) && JsonStringForm(md5, version)) return version;
    return {};
}

}  // namespace

void EnterGameState::RequestPollStep(int step, const std::string& path, const std::vector<std::string>& baseUrls) {
    DownloadManager& downloads = DownloadManager::Instance();
    pollStep = step;
    downloads.activeUrls = baseUrls;
    downloads.DownloadMemory(path, "", &DispatchRequestDone, kEnterGameStateType);
}

void EnterGameState::OnRequestDone(int code, std::string, const char* body, int length, std::string) {
    if (code < 0) {
        // Without pre-download addresses the gate may still name some; without a patch list
        // whole files count.
        if (pollStep == 1) {
            HandlePreDownloadAnswer("{}");
        } else if (pollStep == 5) {
            HandlePreDownloadPatchList("{}");
        } else {
            pollStep = 0;
        }
        return;
    }
    const std::string answer = body && length > 0 ? std::string(body, static_cast<std::size_t>(length)) : std::string();
    switch (pollStep) {
        case 1: HandlePreDownloadAnswer(answer); break;
        case 2: HandleGateAnswer(answer); break;
        case 3: HandleRemoteGameMap(answer); break;
        case 4: HandlePreDownloadMap(answer); break;
        case 5: HandlePreDownloadPatchList(answer); break;
        default: break;
    }
}

void EnterGameState::HandlePreDownloadAnswer(const std::string& answer) {
    pollStep = 0;
    std::string error;
    pollPreDlcUrls.clear();
    if (!ParseInfoAddresses(answer, pollPreDlcUrls, error)) pollPreDlcUrls.clear();
    RequestPollStep(2, BuildUrlsRequest(), DownloadManager::Instance().gateUrls);
}

void EnterGameState::HandleGateAnswer(const std::string& answer) {
    pollStep = 0;
    const bool wantPreDlc = pollPreDlcUrls.empty();
    std::vector<std::string> preDlc;
    std::string error;
    if (!ParseGateResponse(answer, pollDlcUrls, preDlc, error, wantPreDlc)) return;
    if (wantPreDlc) pollPreDlcUrls = preDlc;
    RequestPollStep(3, "version_map.txt", DownloadManager::Instance().DlcUrlsFrom(pollDlcUrls));
}

void EnterGameState::HandleRemoteGameMap(const std::string& answer) {
    pollStep = 0;
    const std::string version = GameMapVersion(answer);
    if (version.empty()) return;
    LauncherContext* context = LauncherContext::Instance();
    context->remoteGameVersion.Set(version);
    if (context->IsGameUpdateAvailable()) context->SendToMainWindow(kMsgGameUpdateAvailable, 0, 0);
    if (context->preDownloadState || context->predownloadPaused) return;
    if (!context->preDownloadFolders.empty() && context->PrunePreDownloadFolders() <= 0) SendPreDownloadPage(0);
    if (pollPreDlcUrls.empty()) {
        SendPreDownloadPage(0);
        return;
    }
    RequestPollStep(4, "version_map.txt", DownloadManager::Instance().DlcUrlsFrom(pollPreDlcUrls));
}

void EnterGameState::HandlePreDownloadMap(const std::string& answer) {
    pollStep = 0;
    LauncherContext* context = LauncherContext::Instance();
    VersionMap& offered = context->versionMaps["_remote_predownload_version_"];
    std::string error;
    if (!ParseVersionMap(answer, offered, error)) return;
    const std::string version = GetVersionMapVersion(offered);
    if (version.empty()) return;
    context->remotePreDownloadVersion.Set(version);
    if (CompareVersions(version, context->localGameVersion.Get(), context->remoteGameVersion.Get()) !=
        kVersionNewer) {
        SendPreDownloadPage(0);
        return;
    }
    if (context->PatchOption > 0) {
        RequestPollStep(5, BuildPatchPath("patch_list.txt"), DownloadManager::Instance().DlcUrlsFrom(pollPreDlcUrls));
        return;
    }
    EvaluatePreDownload();
}

void EnterGameState::HandlePreDownloadPatchList(const std::string& answer) {
    pollStep = 0;
    std::string error;
    ParseVersionMap(answer, LauncherContext::Instance()->ResetVersionMap("_predownload_patch_version_"), error);
    EvaluatePreDownload();
}

void EnterGameState::EvaluatePreDownload() {
    LauncherContext* context = LauncherContext::Instance();
    const int check = context->CheckLocalPreDownload();
    if (check == kNoPreDownloadOffered) {
        SendPreDownloadPage(0);
        return;
    }
    if (check == kPreDownloadFinished) {
        SendPreDownloadPage(3);
        return;
    }
    if (context->predownloadRequested) {
        context->StartPreDownload();
        return;
    }
    VersionMap installed;
    std::string error;
    if (!LoadLocalGameVersionMap(context->settings.Get().gamePath, installed, error)) {
        SendPreDownloadPage(0);
        return;
    }
    VersionMap& toFetch = context->versionMaps["_update_predownload_version_"];
    std::list<std::string> removed;
    DiffVersionMaps(installed, context->versionMaps["_remote_predownload_version_"], toFetch, removed);
    if (toFetch.empty()) {
        SendPreDownloadPage(3);
        return;
    }
    const VersionMap& patches = context->versionMaps["_predownload_patch_version_"];
    const bool usePatches = context->PatchOption > 0 && !patches.empty();
    std::uint64_t size = 0;
    for (const auto& [key, entry] : toFetch) {
        const auto patch = usePatches ? patches.find(key) : patches.end();
        size += static_cast<std::uint64_t>(patch != patches.end() ? patch->second.size : entry.size);
    }
    context->preDownloadSize = size;
    SendPreDownloadPage(1);
}
