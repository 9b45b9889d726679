#include "update/prepare_state.h"

#include <memory>
#include <utility>

#include "app/builtin_endpoints.h"
#include "app/file_probe.h"
#include "app/file_util.h"
#include "app/json_util.h"
#include "app/launcher_messages.h"
#include "app/md5.h"
#include "base/path_util.h"
#include "download/download_manager.h"
#include "update/check_version_state.h"
#include "update/file_install.h"
#include "update/gate_answer.h"
#include "update/predownload_state.h"
#include "update/request_dispatch.h"
#include "update/request_paths.h"
#include "update/request_remote_state.h"
#include "update/state_transitions.h"
#include "update/update_paths.h"

namespace {

// The launcher's own files that a launcher folder without a map is checked for.
constexpr const char* kLauncherFiles[] = {"resources.zip", "SourceHanSansCNRegular.ttf", "SourceHanSansCNBold.ttf",
                                          "LomaN.ttf", "LomaB.ttf"};

void OnPublicIpAnswer(int tag, DownloadResult result, std::string url, const char* body, int length,
                      std::string error) {
    LauncherContext::Instance()->OnPublicIpResponse(tag, ResultCode(result), url, body, length, error);
}

}  // namespace

void PrepareState::Enter(UpdateState*) {
    LauncherContext* context = LauncherContext::Instance();
    DownloadManager& downloads = DownloadManager::Instance();
    if (mode == kLauncherMode && context->clientIp.Get().empty()) {
        downloads.RequestUrl(BuiltinPublicIpUrl(), "", &OnPublicIpAnswer, kPrepareStateType);
    }
    StopPreDownload();
    context->SendToMainWindow(kMsgStateChanged, 0, 0);
    context->RefreshGameWindows();
    filesToHash.clear();
    totalFiles = 0;
    if (mode != kLauncherMode) {
        PrepareGameFiles();
    } else {
        PrepareLauncherFiles();
    }
    result = 0;
    downloads.activeUrls = downloads.gateUrls;
    downloads.DownloadMemory(BuildUrlsRequest(), "", &DispatchRequestDone, kPrepareStateType);
}

void PrepareState::StopPreDownload() {
    LauncherContext* context = LauncherContext::Instance();
    if (!context->preDownloadState) return;
    const UpdateState* task = context->preDownloadState.get();
    if (task->GetType() == kPreDownloadStateType &&
        static_cast<const PreDownloadState*>(task)->step == kPreDownloadDownloading) {
        DownloadManager& downloads = DownloadManager::Instance();
        downloads.TrackDownloadStatus("pause");
        downloads.CancelAll(0);
        context->predownloadRequested = !context->predownloadPaused;
        context->SendToMainWindow(kMsgPreDlcStatus, static_cast<WPARAM>(-1), static_cast<LPARAM>(-1));
        context->SendToGameWindows(kMsgPreDlcState, 0, 2);
    }
    context->StopPreDownload(true);
}

void PrepareState::PrepareLauncherFiles() {
    LauncherContext* context = LauncherContext::Instance();
    if (!FolderExists(kUpdateDir)) CreateDirectories(kUpdateDir);
    if (!FolderExists(".\\exception")) CreateDirectories(".\\exception");
    localMapName = "_local_launcher_version_";
    remoteMapName = "_remote_launcher_version_";
    mapPath = L".\\launcher_version_map.txt";
    tmpMapPath = L".\\tmp_launcher_version_map.txt";
    context->uiResourcesChanged = 0;
    VersionMap& local = context->versionMaps[localMapName];
    std::string error;
    if (!LoadVersionMapFile(mapPath, local, error)) {
        hashFolder = ".";
        const std::string prefix = NormalizePath(hashFolder, true);
        for (const char* name : kLauncherFiles) filesToHash.push_back(prefix + name);
        ListFilesRecursive(prefix + "cef", filesToHash, {});
        totalFiles = static_cast<int>(filesToHash.size());
    }
    // The running executable is what counts, whatever the map file says.
    std::string md5;
    std::int64_t size = 0;
    if (Md5OfFile(L".\\launcher.exe", md5, size)) local["launcher.exe"] = {md5, size};
}

void PrepareState::PrepareGameFiles() {
    LauncherContext* context = LauncherContext::Instance();
    const std::wstring gamePath = context->settings.Get().gamePath;
    for (const auto& [serverName, installedName] : context->CopyRenameMap()) {
        const std::wstring from = NormalizePathW(NormalizePathW(gamePath, true) + serverName, false);
        const std::wstring to = NormalizePathW(NormalizePathW(gamePath, true) + installedName, false);
        if (CanOpenForReading(from) && !CanOpenForReading(to)) ::CopyFileW(from.c_str(), to.c_str(), TRUE);
    }
    localMapName = "_local_game_version_";
    remoteMapName = "_remote_game_version_";
    mapPath = GameFilePath(gamePath, "version_map.txt");
    tmpMapPath = GameFilePath(gamePath, "tmp_version_map.txt");
    VersionMap& local = context->ResetVersionMap(localMapName);
    std::string text, error;
    if (!ReadFileToStringW(mapPath, text) || !ParseVersionMap(text, local, error)) {
        hashFolder = kbase::Utf8Path(gamePath);
        ListFilesRecursive(hashFolder, filesToHash, {"save", "update", "exception", "cef_temp"});
        totalFiles = static_cast<int>(filesToHash.size());
    }
    remoteMapInline = false;
}

void PrepareState::HashQueuedFiles() {
    LauncherContext* context = LauncherContext::Instance();
    VersionMap& local = context->versionMaps[localMapName];
    const std::string prefix = NormalizePath(hashFolder, true);
    while (!filesToHash.empty()) {
        const std::string path = std::move(filesToHash.front());
        filesToHash.pop_front();
        std::string md5;
        std::int64_t size = 0;
        if (!Md5OfFile(kbase::WidePath(path), md5, size)) continue;
        std::string relative = path.compare(0, prefix.size(), prefix) == 0 ? path.substr(prefix.size()) : path;
        for (char& c : relative) {
            if (c == '\\') c = '/';
        }
        local[relative] = {md5, size};
        const float remaining = static_cast<float>(filesToHash.size());
        const int percent = static_cast<int>((1.0f - remaining / static_cast<float>(totalFiles)) * 90.0f);
        context->SendToMainWindow(kMsgCheckProgress, 0, percent);
    }
}

void PrepareState::Update() {
    LauncherContext* context = LauncherContext::Instance();
    HashQueuedFiles();
    if (result > 0) {
        if (remoteMapInline) {
            context->SetState(std::make_unique<CheckVersionState>(mode));
        } else {
            context->SetState(std::make_unique<RequestRemoteState>(mode));
        }
    } else if (result < 0) {
        LeaveFailedState(*this);
    }
}

void PrepareState::Exit(UpdateState*) {
    filesToHash.clear();
    totalFiles = 0;
}

void PrepareState::OnRequestDone(int code, std::string url, const char* body, int length, std::string error) {
    const std::string text = body && length > 0 ? std::string(body, static_cast<std::size_t>(length)) : std::string();
    if (mode != kLauncherMode) {
        ParseGameUrls(code, url, text, error);
    } else {
        ParseLauncherUrls(code, text);
    }
}

void PrepareState::ParseLauncherUrls(int code, const std::string& body) {
    result = -1;
    LauncherGateOptions options;
    if (code < 0 || !ParseLauncherGateOptions(body, options)) return;
    LauncherContext* context = LauncherContext::Instance();
    // Options found before a missing DlcAddr stay applied.
    if (options.patchOption) context->PatchOption = *options.patchOption;
    if (options.useWebExtraParam) context->UseWebExtraParam = *options.useWebExtraParam;
    if (options.deleteLogTxt) context->DeleteLogTXT = *options.deleteLogTxt;
    if (options.preDlcCheck) context->PreDlcCheck = *options.preDlcCheck;
    if (options.transToGame) WriteJsonFile(GetSaveDir() + "\\TransToGame", *options.transToGame);
    if (!options.dlcAddr) return;
    context->forceLauncherUpdate = false;
    DownloadManager::Instance().SetDlcUrls(*options.dlcAddr);
    if (options.activityAddr) context->ActivityAddr.Set(*options.activityAddr);
    if (options.forceUpdateLauncher) context->forceLauncherUpdate = true;
    result = 1;
}

void PrepareState::ParseGameUrls(int code, const std::string& url, const std::string& body,
                                 const std::string& error) {
    result = -1;
    if (code < 0) {
        errorCode = code;
        errorMessage = "Request Failed:" + error;
        errorDetail = url;
        return;
    }
    GameGateAnswer answer;
    std::string parseError;
    switch (ParseGameGateAnswer(body, answer, parseError)) {
        case GateAnswerResult::kNotJson:
            errorMessage = "Parse Failed:" + parseError;
            errorDetail = AnswerDetail(body);
            return;
        case GateAnswerResult::kNoDlcAddr:
            errorMessage = "Invalid DlcAddr";
            errorDetail = AnswerDetail(body);
            return;
        case GateAnswerResult::kOk:
            break;
    }
    DownloadManager::Instance().SetDlcUrls(answer.dlcAddr);
    if (answer.cdn) {
        std::string mapError;
        // Kept only once it is on disk: the pending map is what finishes the install, and a fresh
        // install has no game folder yet.
        if (ParseVersionMap(*answer.cdn, LauncherContext::Instance()->versionMaps[remoteMapName], mapError)) {
            CreateParentFolder(tmpMapPath);
            remoteMapInline = WriteStringToFileW(tmpMapPath, *answer.cdn);
        }
    }
    result = 1;
}
