#pragma once

#include <functional>
#include <string>

#include "app/version_map.h"

// A patch turns one exact file into its new version: the file that the installed version map
// lists. Drops from patches each entry of a key to fetch (in toFetch) whose installed file
// (installedFile of the key) is missing, or whose MD5 is not the one installedMap lists for the
// key (or the map does not list it), so that those files are fetched whole instead of failing
// their patch on every retry. Entries of keys not to fetch are left as they are.
void DropPatchesWithoutTheirBase(VersionMap& patches, const VersionMap& toFetch, const VersionMap& installedMap,
                                 const std::function<std::wstring(const std::string& key)>& installedFile);
