#include "update/deferred_updates.h"

#include <windows.h>

#include "app/file_probe.h"
#include "app/file_util.h"
#include "app/json_util.h"
#include "app/safe_path.h"
#include "base/path_util.h"
#include "base/string_util.h"
#include "update/atomic_copy.h"

namespace {

DeferredInstall InstallCefFile(const std::string& path) {
    const std::wstring relative = kbase::WidePath(NormalizePath(path, false));
    const std::wstring source = L".\\update\\" + relative;
    const std::wstring target = L".\\" + relative;
    if (!CanOpenForReading(source)) {
        // An earlier pass installed it and was cut short before rewriting the list.
        return CanOpenForReading(target) ? DeferredInstall::kDone : DeferredInstall::kFailed;
    }
    std::wstring folder, name;
    if (SplitPathW(target, folder, name)) CreateDirectoriesW(folder);
    if (!CopyFileAtomic(source, target)) return DeferredInstall::kFailed;
    ::DeleteFileW(source.c_str());
    return DeferredInstall::kDone;
}

std::string MapKey(std::string path) {
    kbase::ReplaceAll("\\", "/", path);
    return path;
}

}  // namespace

std::list<std::string> ApplyDeferredList(const std::string& listPath,
                                         const std::function<DeferredInstall(const std::string& path)>& install) {
    std::list<std::string> listed;
    std::list<std::string> failed;
    if (!ReadStringListFile(listPath, listed)) return failed;
    for (const std::string& path : listed) {
        if (!IsSafeRelativePath(path)) continue;
        if (install(path) == DeferredInstall::kFailed) failed.push_back(path);
    }
    if (failed.empty()) {
        ::DeleteFileW(kbase::WidePath(listPath).c_str());
    } else if (failed != listed) {
        WriteStringListFile(listPath, failed);
    }
    return failed;
}

std::list<std::string> ApplyCefUpdate() { return ApplyDeferredList(kCefUpdateListPath, InstallCefFile); }

void ForgetLauncherMapEntries(const std::list<std::string>& paths) {
    if (paths.empty()) return;
    Json::Value root;
    std::string errors;
    if (!ReadJsonFile(kLauncherMapPath, root, errors) || !root.isObject()) return;
    // The wrapped layout keeps its entries under "list"; a flat map has them at the top.
    Json::Value* list = &root;
    if (root.isMember("list") && !root["list"].isNull()) {
        if (!root["list"].isObject()) return;
        list = &root["list"];
    }
    bool changed = false;
    for (const std::string& path : paths) {
        const std::string key = MapKey(path);
        if (list->isMember(key)) {
            list->removeMember(key);
            changed = true;
        }
    }
    if (changed) WriteJsonFile(kLauncherMapPath, root);
}
