#pragma once

#include <list>
#include <string>

#include "app/version_map.h"

// A pre-download of game version V lives in <preDownloadDir>\V\ (the launcher passes
// GetPreDownloadDir(), ".\update\predownload"; narrow paths in UTF-8). Its
// map is tmp_predownload_version_map.txt while files are still coming and
// predownload_version_map.txt once all have arrived.

inline constexpr char kPreDownloadMapName[] = "predownload_version_map.txt";
inline constexpr char kPendingPreDownloadMapName[] = "tmp_predownload_version_map.txt";

// Results of CheckLocalPreDownload.
enum PreDownloadCheck : int {
    kNoPreDownloadOffered = -1,
    kPreDownloadFinished = 0,
    kPreDownloadNeeded = 1,
};

// Whether the offered version is already pre-downloaded: its folder is one of folders (the
// names found under preDownloadDir) and its finished map, read into localMap (emptied first),
// carries that version.
int CheckLocalPreDownload(const std::string& preDownloadDir, const std::string& offeredVersion,
                          const std::list<std::string>& folders, VersionMap& localMap);

// True when the offered version has a pending map on disk, i.e. an interrupted pre-download.
// A version that is not digits_digits_digits names no folder: false.
bool HasUnfinishedPreDownload(const std::string& preDownloadDir, const std::string& offeredVersion);

// Deletes the pre-downloads that the installed game has caught up with (version older than or
// equal to localGameVersion) and keeps the newer names in folders, in order; names that are not
// versions leave the list but stay on disk. Returns how many names are kept; 0 when folders was
// empty, -1 when localGameVersion is empty, -2 when it is not a version.
int PrunePreDownloadFolders(const std::string& preDownloadDir, const std::string& localGameVersion,
                            std::list<std::string>& folders);
