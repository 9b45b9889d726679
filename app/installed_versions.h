#pragma once

#include <string>

#include "app/version_map.h"

// Versions of what is installed, read from the installations' version maps: the launcher's
// launcher_version_map.txt in its own folder, the game's version_map.txt in the game folder.

inline constexpr char kDefaultLauncherVersion[] = "1.0.0";

// The version of <launcherDir>\launcher_version_map.txt; "1.0.0" when it has none.
std::string ReadLauncherVersion(const std::wstring& launcherDir);

struct LocalGameVersion {
    std::string version;  // empty when the game folder has no readable map
    std::string display;  // the display form, empty with version
};

// The version of <gamePath>\version_map.txt and its display form.
LocalGameVersion ReadLocalGameVersion(const std::wstring& gamePath);

// True when both versions are known and differ.
bool IsGameUpdateAvailable(const std::string& localVersion, const std::string& remoteVersion);

// LoadVersionMapFile of <gamePath>\version_map.txt.
bool LoadLocalGameVersionMap(const std::wstring& gamePath, VersionMap& map, std::string& error);
// LoadVersionMapFile of <launcherDir>\launcher_version_map.txt.
bool LoadLauncherVersionMap(const std::wstring& launcherDir, VersionMap& map, std::string& error);
