#include "app/installed_versions.h"

#include "app/file_util.h"
#include "app/version_text.h"

namespace {

std::wstring InFolder(const std::wstring& folder, const wchar_t* name) {
    return NormalizePathW(folder, true) + name;
}

}  // namespace

std::string ReadLauncherVersion(const std::wstring& launcherDir) {
    std::string version;
    ReadVersionMapVersion(InFolder(launcherDir, L"launcher_version_map.txt"), version, kDefaultLauncherVersion);
    return version;
}

LocalGameVersion ReadLocalGameVersion(const std::wstring& gamePath) {
    LocalGameVersion result;
    ReadVersionMapVersion(InFolder(gamePath, L"version_map.txt"), result.version, "");
    if (!result.version.empty()) {
        FormatDisplayVersion(result.version, result.display);
    }
    return result;
}

bool IsGameUpdateAvailable(const std::string& localVersion, const std::string& remoteVersion) {
    return !localVersion.empty() && !remoteVersion.empty() && localVersion != remoteVersion;
}

bool LoadLocalGameVersionMap(const std::wstring& gamePath, VersionMap& map, std::string& error) {
    return LoadVersionMapFile(InFolder(gamePath, L"version_map.txt"), map, error);
}

bool LoadLauncherVersionMap(const std::wstring& launcherDir, VersionMap& map, std::string& error) {
    return LoadVersionMapFile(InFolder(launcherDir, L"launcher_version_map.txt"), map, error);
}
