#include "update/patch_bases.h"

#include <cstdint>

#include "app/md5.h"

void DropPatchesWithoutTheirBase(VersionMap& patches, const VersionMap& toFetch, const VersionMap& installedMap,
                                 const std::function<std::wstring(const std::string& key)>& installedFile) {
    for (auto patch = patches.begin(); patch != patches.end();) {
        if (!toFetch.count(patch->first)) {
            ++patch;
            continue;
        }
        const auto listed = installedMap.find(patch->first);
        std::string md5;
        std::int64_t size = 0;
        const bool fits = listed != installedMap.end() && !listed->second.md5.empty() &&
                          Md5OfFile(installedFile(patch->first), md5, size) && md5 == listed->second.md5;
        patch = fits ? std::next(patch) : patches.erase(patch);
    }
}
