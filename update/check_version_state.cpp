#include "update/check_version_state.h"

#include <utility>

#include "app/apply_list.h"
#include "app/file_probe.h"
#include "app/installed_versions.h"
#include "app/launcher_messages.h"
#include "app/thread_ids.h"
#include "base/path_util.h"
#include "base/thread_registry.h"
#include "update/atomic_copy.h"
#include "update/download_files_state.h"
#include "update/exception_state.h"
#include "update/request_patch_state.h"
#include "update/state_transitions.h"
#include "update/update_paths.h"

std::unique_ptr<State> MakeFetchState(int mode, const std::string& patchVersion) {
    if (LauncherContext::Instance()->PatchOption > 0 && !patchVersion.empty()) {
        return std::make_unique<RequestPatchState>(mode);
    }
    return std::make_unique<DownloadFilesState>(mode);
}

DiskSpaceAnswer MakeDiskSpaceContinue(std::weak_ptr<kbase::WeakFlag> refused, std::string patchVersion) {
    return [refused = std::move(refused), patchVersion = std::move(patchVersion)](int answer) {
        if (answer == 0) return;
        kbase::ThreadRegistry::GetInstance()->PostTask(kWorkerThreadId, [refused, patchVersion] {
            if (refused.expired()) return;
            LauncherContext* context = LauncherContext::Instance();
            context->updateErrorShown = false;
            context->SetState(MakeFetchState(kGameMode, patchVersion));
        });
    };
}

void CheckVersionState::Enter(UpdateState*) {
    LauncherContext* context = LauncherContext::Instance();
    context->SendToMainWindow(kMsgStateChanged, 0, 0);
    if (mode != kLauncherMode) {
        localMapName = "_local_game_version_";
        remoteMapName = "_remote_game_version_";
        updateMapName = "_update_game_version_";
        const std::wstring gamePath = context->settings.Get().gamePath;
        tmpMapPath = GameFilePath(gamePath, "tmp_version_map.txt");
        mapPath = GameFilePath(gamePath, "version_map.txt");
    } else {
        localMapName = "_local_launcher_version_";
        remoteMapName = "_remote_launcher_version_";
        updateMapName = "_update_launcher_version_";
        tmpMapPath = L".\\tmp_launcher_version_map.txt";
        mapPath = L".\\launcher_version_map.txt";
    }
    VersionMap& toUpdate = context->versionMaps[updateMapName];
    VersionMap& local = context->versionMaps[localMapName];
    const VersionMap& remote = context->versionMaps[remoteMapName];
    deletedFiles.clear();
    DiffVersionMaps(local, remote, toUpdate, deletedFiles);
    context->SendToMainWindow(kMsgCheckProgress, 0, 100);
    result = 1;
}

void CheckVersionState::Update() {
    if (result == 0) return;
    VersionMap& toUpdate = LauncherContext::Instance()->versionMaps[updateMapName];
    if (mode != kLauncherMode) {
        DropAppliedFiles(toUpdate);
    } else {
        DropRemovedSkinArchive();
    }
    if (!toUpdate.empty()) {
        StartFetching();
    } else {
        FinishWithoutFetching();
    }
}

void CheckVersionState::DropAppliedFiles(VersionMap& toUpdate) {
    ApplyListRecord applied;
    if (!ReadApplyList(kApplyListPath, applied)) return;
    if (applied.version != LauncherContext::Instance()->remoteGameVersion.Get()) {
        DeleteIfPresent(kbase::WidePath(kApplyListPath));
        return;
    }
    for (const std::string& name : applied.fileList) toUpdate.erase(name);
}

void CheckVersionState::DropRemovedSkinArchive() {
    if (deletedFiles.size() != 1 || deletedFiles.front() != "resources.zip") return;
    deletedFiles.clear();
    if (CanOpenForReading(L".\\resources.zip")) {
        ::DeleteFileW(L".\\resources.zip");
        LauncherContext::Instance()->uiResourcesChanged = -1;
    }
}

void CheckVersionState::StartFetching() {
    LauncherContext* context = LauncherContext::Instance();
    const std::string patchVersion =
        mode != kLauncherMode ? context->localGameVersion.Get() : context->launcherVersion.Get();
    context->ResetVersionMap(mode != kLauncherMode ? "_game_patch_version_" : "_launcher_patch_version_");
    if (mode != kLauncherMode) {
        // Made first so that the box's answer can tell whether this very refusal is still current.
        auto refused = std::make_unique<ExceptionState>(errorCode, errorMessage, errorDetail, false);
        if (!context->CheckDiskSpaceForDownload(MakeDiskSpaceContinue(refused->ObtainWeakFlag(), patchVersion))) {
            context->SetState(std::move(refused));
            return;
        }
    }
    context->SetState(MakeFetchState(mode, patchVersion));
}

void CheckVersionState::FinishWithoutFetching() {
    LauncherContext* context = LauncherContext::Instance();
    // The installation's commit point: the map is replaced whole or not at all. While it cannot
    // be (another process holds it), the pending map and the apply list stay for the next check.
    if (CanOpenForReading(tmpMapPath) && CopyFileAtomic(tmpMapPath, mapPath)) {
        ::DeleteFileW(tmpMapPath.c_str());
        if (mode != kLauncherMode) {
            context->LoadLocalGameVersion();
            DeleteIfPresent(kbase::WidePath(kApplyListPath));
        } else {
            context->launcherVersion.Set(ReadLauncherVersion(L".\\"));
        }
    }
    if (context->uiResourcesChanged != 0) {
        result = 0;
        // The reload answers later; a state started meanwhile is not replaced by it.
        context->ReloadUi(MakeWeakCallback([] { EnterRestingState(); }));
        return;
    }
    EnterRestingState();
}
