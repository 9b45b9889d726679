#include "app/predownload_folders.h"

#include <algorithm>

#include "app/file_probe.h"
#include "app/file_util.h"
#include "app/safe_path.h"
#include "app/version_compare.h"
#include "base/path_util.h"

namespace {

std::string VersionFolder(const std::string& preDownloadDir, const std::string& version) {
    return NormalizePath(preDownloadDir, true) + version;
}

}  // namespace

int CheckLocalPreDownload(const std::string& preDownloadDir, const std::string& offeredVersion,
                          const std::list<std::string>& folders, VersionMap& localMap) {
    if (offeredVersion.empty()) {
        return kNoPreDownloadOffered;
    }
    // Only a name listed from disk is joined to the folder, so the path stays inside it.
    if (std::find(folders.begin(), folders.end(), offeredVersion) == folders.end()) {
        return kPreDownloadNeeded;
    }
    localMap.clear();
    std::string text;
    std::string error;
    if (!ReadFileToString(VersionFolder(preDownloadDir, offeredVersion) + "\\" + kPreDownloadMapName, text) ||
        !ParseVersionMap(text, localMap, error)) {
        return kPreDownloadNeeded;
    }
    return GetVersionMapVersion(localMap) == offeredVersion ? kPreDownloadFinished : kPreDownloadNeeded;
}

bool HasUnfinishedPreDownload(const std::string& preDownloadDir, const std::string& offeredVersion) {
    return IsSafeVersionFolderName(offeredVersion) &&
           CanOpenForReading(kbase::WidePath(VersionFolder(preDownloadDir, offeredVersion) + "\\" + kPendingPreDownloadMapName));
}

int PrunePreDownloadFolders(const std::string& preDownloadDir, const std::string& localGameVersion,
                            std::list<std::string>& folders) {
    if (folders.empty()) {
        return 0;
    }
    if (localGameVersion.empty()) {
        return -1;
    }
    const auto installed = ParseVersionKey(localGameVersion);
    if (!installed) {
        return -2;
    }
    std::list<std::string> kept;
    for (const std::string& name : folders) {
        const auto version = ParseVersionKey(name);
        if (!version) {
            continue;
        }
        if (*version <= *installed) {
            DeleteFolderRecursive(VersionFolder(preDownloadDir, name));
        } else {
            kept.push_back(name);
        }
    }
    folders = std::move(kept);
    return static_cast<int>(folders.size());
}
