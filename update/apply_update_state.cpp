#include "update/apply_update_state.h"

#include <memory>

#include "app/launcher_messages.h"
#include "update/exception_state.h"
#include "update/patch_applier.h"
#include "update/state_transitions.h"
#include "update/update_paths.h"

void ApplyUpdateState::Enter(UpdateState*) {
    LauncherContext* context = LauncherContext::Instance();
    context->SendToMainWindow(kMsgStateChanged, 0, 0);
    result = 0;
    PatchCancelFlag = false;
    if (mode == kLauncherMode) {
        ApplyLauncherUpdate(*this);
        return;
    }
    const std::string remoteVersion = context->remoteGameVersion.Get();
    if (ReadApplyList(kApplyListPath, applyList) && applyList.version != remoteVersion) applyList.fileList.clear();
    applyList.version = remoteVersion;
    pendingFiles.clear();
    for (const auto& [key, entry] : context->versionMaps["_update_game_version_"]) {
        if (key != "launcher.exe") pendingFiles.push_back(key);
    }
    totalFiles = static_cast<int>(pendingFiles.size());
    failedFiles.clear();
    timerResolution.emplace();
    context->SendToMainWindow(kMsgCheckProgress, 0, 0);
}

void ApplyUpdateState::Update() {
    LauncherContext* context = LauncherContext::Instance();
    if (mode != kLauncherMode) {
        if (result == 0) {
            ApplyGameUpdateSlice(*this);
        } else if (result < 0) {
            context->SetState(std::make_unique<ExceptionState>(errorCode, errorMessage, errorDetail, true));
        } else {
            EnterRestingState();
        }
        return;
    }
    if (result == 0) return;
    if (context->uiResourcesChanged != 0) {
        result = 0;
        // The reload answers later; a state started meanwhile is not replaced by it.
        context->ReloadUi(MakeWeakCallback([] { EnterRestingState(); }));
        return;
    }
    EnterRestingState();
}

void ApplyUpdateState::Exit(UpdateState*) {
    totalFiles = 0;
    pendingFiles.clear();
    timerResolution.reset();
}
