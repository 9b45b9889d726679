#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <string>

#include <json/json.h>

// A version map lists the files of one installation by relative path ('/'-separated, UTF-8)
// with their MD5 and size. On disk it is a JSON object, either wrapped
//   {"version": "A_B_C", "list": {path: {"md5": ..., "size": ...}, ...}}
// or flat (every member is an entry; the version is the "md5" of an entry named "version").

struct VersionMapEntry {
    std::string md5;  // 32 hex digits, or empty; the "version" entry holds a version text
    std::int64_t size = 0;
};

// Ordered by byte-wise comparison of the paths.
using VersionMap = std::map<std::string, VersionMapEntry>;

// The entry whose md5 carries the version of a flat map.
inline constexpr char kVersionEntryName[] = "version";

// Empties map, then reads and parses the file. False when it cannot be read or does not parse;
// error then says why.
bool LoadVersionMapFile(const std::wstring& path, VersionMap& map, std::string& error);

// Parses JSON text into map. False for empty text, bad JSON or a bad entry (see
// FillVersionMap), with error saying why; map then keeps what it held before.
bool ParseVersionMap(const std::string& text, VersionMap& map, std::string& error);

// Fills map from a parsed map of either layout. The map comes from servers or disk and drives
// downloads and deletions, so one bad entry refuses the whole map (map untouched, error names
// the entry): a path that could leave its folder, an entry that is not an object, an "md5"
// that is not a string of 32 hex digits (or empty), a "size" that is not a non-negative
// integer. A missing or null "md5" reads as empty, a missing or null "size" as 0.
bool FillVersionMap(const Json::Value& root, VersionMap& map, std::string& error);

// The md5 text of the entry "version"; empty when there is none.
std::string GetVersionMapVersion(const VersionMap& map);

// toUpdate := the remote entries that local lacks or lists with another md5 (all of them when
// local is empty), never the entry "version". Appends to toDelete, in path order, the paths
// only local lists. local is consumed: afterwards it holds just those paths.
void DiffVersionMaps(VersionMap& local, const VersionMap& remote, VersionMap& toUpdate,
                     std::list<std::string>& toDelete);

// The wrapped layout, tab-indented; an empty map gives an empty "list" object.
std::string SerializeVersionMap(const std::string& version, const VersionMap& map);
// Writes SerializeVersionMap whole or not at all.
bool WriteVersionMapFile(const std::wstring& path, const std::string& version, const VersionMap& map);
