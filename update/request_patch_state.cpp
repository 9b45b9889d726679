#include "update/request_patch_state.h"

#include <memory>

#include "download/download_manager.h"
#include "update/download_files_state.h"
#include "update/request_dispatch.h"

void RequestPatchState::Enter(UpdateState*) {
    patchMapName = mode != kLauncherMode ? "_game_patch_version_" : "_launcher_patch_version_";
    LauncherContext::Instance()->ResetVersionMap(patchMapName);
    result = 0;
    DownloadManager& downloads = DownloadManager::Instance();
    downloads.activeUrls = downloads.dlcUrls;
    downloads.DownloadMemory(BuildPatchPath("patch_list.txt"), "", &DispatchRequestDone, kRequestPatchStateType);
}

void RequestPatchState::OnRequestDone(int code, std::string, const char* body, int length, std::string) {
    result = -1;
    if (code < 0) return;
    const std::string text = body && length > 0 ? std::string(body, static_cast<std::size_t>(length)) : std::string();
    std::string error;
    // A list that does not parse leaves the map empty: whole files are fetched instead.
    ParseVersionMap(text, LauncherContext::Instance()->versionMaps[patchMapName], error);
    result = 1;
}

void RequestPatchState::Update() {
    if (result == 0) return;
    LauncherContext::Instance()->SetState(std::make_unique<DownloadFilesState>(mode));
}
