// The game-mode slice of the apply state: game files, a second of work per worker tick.
#include "update/apply_update_state.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

#include "app/file_probe.h"
#include "app/file_util.h"
#include "app/launcher_messages.h"
#include "app/safe_path.h"
#include "base/path_util.h"
#include "download/download_manager.h"
#include "update/atomic_copy.h"
#include "update/file_install.h"
#include "update/patch_applier.h"
#include "update/update_paths.h"

namespace {

constexpr std::uint32_t kTickModulus = 0x7fffffff;
constexpr std::uint32_t kSliceMs = 1000;
// How long, and how often, the install's commit is tried again while another process holds the
// version map open.
constexpr ULONGLONG kCommitRetryMs = 3000;
constexpr ULONGLONG kCommitRetryStepMs = 50;

std::uint32_t ReducedTick() {
    return ::GetTickCount() % kTickModulus;
}

// What installing one name gave: nothing (installed) or the failedFiles entry.
struct GameFileTask {
    const std::string& name;
    const std::string& md5;
    std::wstring gamePath;
    const std::map<std::wstring, std::wstring>& renames;
    bool patched;
    int patchOption;
};

bool InstallGameFile(const GameFileTask& task, int& detail, std::string& failure) {
    if (!IsSafeRelativePath(task.name)) {
        failure = task.name + "(invalid path)";
        return false;
    }
    const std::wstring source = kbase::WidePath(UpdateFilePath(task.name));
    const std::wstring target = GameFilePath(task.gamePath, task.name);
    // The same as target unless the game installs the file under another name.
    const std::wstring installed = InstalledGameFilePath(task.gamePath, task.name, task.renames);
    CreateParentFolder(target);

    bool inPlace = false;
    if (task.patched) {
        const std::wstring patch = source + kbase::WidePath(CurrentPatchSuffix());
        const PatchOutcome outcome = ApplyDownloadedPatch(installed, source, patch, task.md5, task.patchOption, detail);
        if (!outcome.ok) {
            // A run stopped after the move left the new file in place: that counts as applied.
            if (!FileHasMd5(target, task.md5)) {
                failure = task.name + "(" + outcome.failure + ")";
                return false;
            }
            DeleteIfPresent(source);
            inPlace = true;
        }
    } else if (::GetFileAttributesW(source.c_str()) == INVALID_FILE_ATTRIBUTES && FileHasMd5(target, task.md5)) {
        inPlace = true;
    }
    if (!inPlace && !MoveIntoPlace(source, target)) {
        failure = task.name;
        return false;
    }
    if (installed != target && !::CopyFileW(target.c_str(), installed.c_str(), FALSE)) {
        failure = task.name;
        return false;
    }
    return true;
}

void FailApply(ApplyUpdateState& state) {
    state.errorMessage = "Apply Failed";
    state.errorDetail = " ";
    for (const std::string& failed : state.failedFiles) state.errorDetail += failed + " ";
    state.result = -1;
}

void FinishGameUpdate(ApplyUpdateState& state) {
    if (!state.failedFiles.empty()) {
        FailApply(state);
        return;
    }
    LauncherContext* context = LauncherContext::Instance();
    const std::wstring gamePath = context->settings.Get().gamePath;
    const std::wstring pendingMap = GameFilePath(gamePath, "tmp_version_map.txt");
    const std::wstring map = GameFilePath(gamePath, "version_map.txt");
    // The installation's commit point: the map is replaced whole or not at all. A reader of the
    // old map keeps it from being replaced: the next ticks try again for a while, and an install
    // that cannot be committed fails rather than passing for done (the apply list and the
    // pending map stay, so a retry resumes).
    const ULONGLONG now = ::GetTickCount64();
    if (now < state.nextCommitTry) return;
    if (state.commitDeadline == 0) state.commitDeadline = now + kCommitRetryMs;
    if (!CopyFileAtomic(pendingMap, map)) {
        state.nextCommitTry = now + kCommitRetryStepMs;
        if (now < state.commitDeadline) return;
        state.failedFiles.push_back("version_map.txt");
        FailApply(state);
        return;
    }
    DeleteIfPresent(kbase::WidePath(kApplyListPath));
    ::DeleteFileW(pendingMap.c_str());
    context->LoadLocalGameVersion();
    if (!context->downloadLog.Get().firstInstall) {
        DownloadManager::Instance().TrackDownloadSummary("23", "apply_update_game_success", false);
    }
    state.result = 1;
}

}  // namespace

void ApplyGameUpdateSlice(ApplyUpdateState& state) {
    if (state.commitDeadline != 0) {  // every file is in: only the commit is tried again
        FinishGameUpdate(state);
        return;
    }
    LauncherContext* context = LauncherContext::Instance();
    const std::uint32_t start = ReducedTick();
    const VersionMap& toUpdate = context->versionMaps["_update_game_version_"];
    const VersionMap& patches = context->versionMaps["_game_patch_version_"];
    const int patchOption = context->PatchOption;
    const bool patching = patchOption > 0 && !patches.empty();
    const std::wstring gamePath = context->settings.Get().gamePath;
    const std::map<std::wstring, std::wstring> renames = context->CopyRenameMap();
    int detail = 0;
    while (!state.pendingFiles.empty()) {
        // Unsigned, so a wrap of the reduced tick count ends the slice too.
        if (static_cast<std::uint32_t>(ReducedTick() - start) >= kSliceMs) break;
        const std::string name = std::move(state.pendingFiles.front());
        state.pendingFiles.pop_front();
        const auto entry = toUpdate.find(name);
        const std::string md5 = entry != toUpdate.end() ? entry->second.md5 : std::string();
        std::string failure;
        const GameFileTask task{name, md5, gamePath, renames, patching && patches.count(name) > 0, patchOption};
        if (!InstallGameFile(task, detail, failure)) {
            state.failedFiles.push_back(failure);
            continue;
        }
        state.applyList.fileList.push_back(name);
        const float remaining = static_cast<float>(state.pendingFiles.size());
        const int percent = static_cast<int>(100.0f - remaining * 100.0f / static_cast<float>(state.totalFiles));
        context->SendToMainWindow(kMsgCheckProgress, 0, percent);
    }
    WriteApplyList(kApplyListPath, state.applyList);
    if (patching) {
        for (const std::string& name : state.applyList.fileList) {
            if (patches.count(name)) DeleteIfPresent(kbase::WidePath(UpdateFilePath(name) + CurrentPatchSuffix()));
        }
    }
    if (state.pendingFiles.empty()) FinishGameUpdate(state);
}
