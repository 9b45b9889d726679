// The launcher-mode pass of the apply state: the launcher's own files, in one go.
#include "update/apply_update_state.h"

#include <windows.h>

#include <list>
#include <string>

#include "app/file_probe.h"
#include "app/file_util.h"
#include "app/installed_versions.h"
#include "app/json_util.h"
#include "app/safe_path.h"
#include "base/path_util.h"
#include "update/atomic_copy.h"
#include "update/deferred_updates.h"
#include "update/file_install.h"
#include "update/patch_applier.h"
#include "update/update_paths.h"

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

void ApplyLauncherUpdate(ApplyUpdateState& state) {
    LauncherContext* context = LauncherContext::Instance();
    context->launcherExeUpdated = false;
    context->cefFilesPending = false;
    context->fontFilesPending = false;
    DeleteIfPresent(kbase::WidePath(kCefUpdateListPath));
    DeleteIfPresent(kbase::WidePath(kFontUpdateListPath));

    const VersionMap& toUpdate = context->versionMaps["_update_launcher_version_"];
    const VersionMap& patches = context->versionMaps["_launcher_patch_version_"];
    const int patchOption = context->PatchOption;
    const bool patching = patchOption > 0 && !patches.empty();
    int detail = 0;
    std::string errors;
    std::list<std::string> cefFiles, fontFiles;
    std::list<std::wstring> appliedPatches;
    for (const auto& [key, entry] : toUpdate) {
        if (!IsSafeRelativePath(key)) {
            errors += " " + key + "(invalid path)";
            continue;
        }
        const std::wstring source = kbase::WidePath(UpdateFilePath(key));
        const std::wstring target = LauncherFilePath(key);
        CreateParentFolder(target);
        if (patching && patches.count(key)) {
            const std::wstring patch = source + kbase::WidePath(CurrentPatchSuffix());
            const PatchOutcome outcome = ApplyDownloadedPatch(target, source, patch, entry.md5, patchOption, detail);
            if (!outcome.ok) {
                if (!FileHasMd5(target, entry.md5)) {
                    errors += " " + key + "(" + outcome.failure + ")";
                    continue;
                }
                // An earlier pass installed it already: nothing is left to do for this file.
                DeleteIfPresent(source);
                appliedPatches.push_back(patch);
                continue;
            }
            appliedPatches.push_back(patch);
        }
        if (key == "launcher.exe") {
            // The new executable waits in update\ until the launcher has ended.
            context->launcherExeUpdated = true;
            context->showLauncherUpdatePrompt = true;
        } else if (StartsWith(key, "cef")) {
            cefFiles.push_back(key);
            context->cefFilesPending = true;
        } else if (EndsWith(key, ".ttf")) {
            fontFiles.push_back(key);
            context->fontFilesPending = true;
        } else if (CopyFileAtomic(source, target)) {
            ::DeleteFileW(source.c_str());
            if (key == "resources.zip") context->uiResourcesChanged = 1;
        } else {
            errors += " " + key;
        }
    }
    if (!errors.empty()) {
        state.errorMessage = "Apply Failed";
        state.errorDetail = errors;
        state.result = -1;
        return;
    }
    // The installation's commit point: the map is replaced whole or not at all.
    if (CopyFileAtomic(L".\\tmp_launcher_version_map.txt", L".\\launcher_version_map.txt")) {
        ::DeleteFileW(L".\\tmp_launcher_version_map.txt");
        context->launcherVersion.Set(ReadLauncherVersion(L".\\"));
    }
    if (!cefFiles.empty()) WriteStringListFile(kCefUpdateListPath, cefFiles);
    if (!fontFiles.empty()) WriteStringListFile(kFontUpdateListPath, fontFiles);
    for (const std::wstring& patch : appliedPatches) DeleteIfPresent(patch);
    state.result = 1;
}
