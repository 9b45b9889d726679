#include "update/request_remote_state.h"

#include <memory>

#include "app/file_util.h"
#include "app/json_util.h"
#include "app/launcher_messages.h"
#include "base/path_util.h"
#include "download/download_manager.h"
#include "update/check_version_state.h"
#include "update/gate_answer.h"
#include "update/request_dispatch.h"
#include "update/state_transitions.h"
#include "update/update_paths.h"

namespace {

// The version a map file names: a plain "version" text, or the "md5" of a "version" entry.
// False when the file cannot be read or names none of the two forms.
bool ReadMapFileVersion(const std::wstring& path, std::string& version) {
    Json::Value root, entry, md5;
    std::string errors;
    if (!ReadJsonFileW(path, root, errors) || !FindJsonMember(root, "version", entry)) return false;
    if (entry.isString()) {
        version = entry.asString();
        return true;
    }
    return entry.isObject() && FindJsonMember(entry, "md5", md5) && JsonStringForm(md5, version);
}

}  // namespace

void RequestRemoteState::Enter(UpdateState*) {
    LauncherContext* context = LauncherContext::Instance();
    context->SendToMainWindow(kMsgStateChanged, 0, 0);
    if (mode != kLauncherMode) {
        remoteMapName = "_remote_game_version_";
        tmpMapPath = GameFilePath(context->settings.Get().gamePath, "tmp_version_map.txt");
    } else {
        remoteMapName = "_remote_launcher_version_";
        tmpMapPath = L".\\tmp_launcher_version_map.txt";
    }
    result = 0;
    DownloadManager& downloads = DownloadManager::Instance();
    downloads.activeUrls = downloads.dlcUrls;
    downloads.DownloadMemory(mode != kLauncherMode ? "version_map.txt" : "launcher_version_map.txt", "",
                             &DispatchRequestDone, kRequestRemoteStateType);
    context->SendToMainWindow(kMsgCheckProgress, 0, 95);
}

void RequestRemoteState::OnRequestDone(int code, std::string url, const char* body, int length,
                                       std::string error) {
    result = -1;
    if (code < 0) {
        errorCode = code;
        errorMessage = "Request Failed:" + error;
        errorDetail = url;
        return;
    }
    LauncherContext* context = LauncherContext::Instance();
    const std::string text = body && length > 0 ? std::string(body, static_cast<std::size_t>(length)) : std::string();
    VersionMap& remote = context->versionMaps[remoteMapName];
    std::string parseError;
    if (!ParseVersionMap(text, remote, parseError)) {
        errorMessage = "Load Failed:" + parseError;
        errorDetail = text;
        return;
    }
    // A fresh install has no game folder yet; the pending map is what finishes the install.
    std::wstring folder;
    if (kbase::GetDirectoryPart(tmpMapPath, folder)) CreateDirectoriesW(folder);
    if (!WriteStringToFileW(tmpMapPath, text)) {
        errorMessage = "Write Failed:tmp_version_map.txt";
        errorDetail = url;
        return;
    }
    if (mode != kLauncherMode) context->remoteGameVersion.Set(GetVersionMapVersion(remote));
    std::string version;
    if (ReadMapFileVersion(tmpMapPath, version)) context->remoteMapVersion.Set(version);
    result = 1;
}

void RequestRemoteState::Update() {
    if (result > 0) {
        LauncherContext::Instance()->SetState(std::make_unique<CheckVersionState>(mode));
    } else if (result < 0) {
        LeaveFailedState(*this);
    }
}
