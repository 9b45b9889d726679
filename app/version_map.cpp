#include "app/version_map.h"

#include <exception>

#include "app/file_util.h"
#include "app/json_util.h"
#include "app/safe_path.h"

namespace {

bool IsMd5Text(const std::string& text) {
    if (text.size() != 32) {
        return false;
    }
    for (char c : text) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!hex) {
            return false;
        }
    }
    return true;
}

// Names in error texts are cut short: they come from outside and may be of any length.
std::string Excerpt(const std::string& text) {
    constexpr std::size_t kMaxShown = 120;
    return text.size() <= kMaxShown ? text : text.substr(0, kMaxShown) + "...";
}

// Reads one member of the list; false with error naming the fault.
bool ReadEntry(const std::string& name, const Json::Value& value, VersionMapEntry& entry,
               std::string& error) {
    std::string why;
    if (!IsSafeRelativePath(name, &why)) {
        error = "unsafe path (" + why + ")";
        return false;
    }
    if (!value.isObject()) {
        error = "not an object";
        return false;
    }
    const Json::Value& md5 = value["md5"];
    if (!md5.isNull()) {
        if (!md5.isString()) {
            error = "\"md5\" is not a string";
            return false;
        }
        entry.md5 = md5.asString();
        // Digests name downloaded files; the version entry carries a version text instead.
        if (name != kVersionEntryName && !entry.md5.empty() && !IsMd5Text(entry.md5)) {
            error = "\"md5\" is not 32 hexadecimal digits";
            return false;
        }
    }
    const Json::Value& size = value["size"];
    if (!size.isNull()) {
        if (!size.isInt64() || size.asInt64() < 0) {
            error = "\"size\" is not a non-negative integer";
            return false;
        }
        entry.size = size.asInt64();
    }
    return true;
}

}  // namespace

bool LoadVersionMapFile(const std::wstring& path, VersionMap& map, std::string& error) {
    map.clear();
    std::string text;
    if (!ReadFileToStringW(path, text)) {
        error = "cannot read the file";
        return false;
    }
    return ParseVersionMap(text, map, error);
}

bool ParseVersionMap(const std::string& text, VersionMap& map, std::string& error) {
    error.clear();
    Json::Value root;
    if (!ParseJson(text, root, error)) {
        return false;
    }
    try {
        return FillVersionMap(root, map, error);
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}

bool FillVersionMap(const Json::Value& root, VersionMap& map, std::string& error) {
    if (!root.isObject()) {
        error = "a version map is not a JSON object";
        return false;
    }
    const Json::Value& wrapped = root["list"];
    if (!wrapped.isNull() && !wrapped.isObject()) {
        error = "\"list\" is not an object";
        return false;
    }
    const bool flat = wrapped.isNull();
    const Json::Value& list = flat ? root : wrapped;
    VersionMap filled;
    for (auto it = list.begin(); it != list.end(); ++it) {
        const std::string name = it.name();
        if (flat && name == "list") {
            continue;  // a null "list" only marks the flat layout
        }
        VersionMapEntry entry;
        std::string why;
        if (!ReadEntry(name, *it, entry, why)) {
            error = "version map entry \"" + Excerpt(name) + "\": " + why;
            return false;
        }
        filled[name] = std::move(entry);
    }
    map = std::move(filled);
    return true;
}

std::string GetVersionMapVersion(const VersionMap& map) {
    const auto it = map.find(kVersionEntryName);
    return it == map.end() ? std::string() : it->second.md5;
}

void DiffVersionMaps(VersionMap& local, const VersionMap& remote, VersionMap& toUpdate,
                     std::list<std::string>& toDelete) {
    toUpdate.clear();
    if (local.empty()) {
        toUpdate = remote;
    } else {
        for (const auto& [path, entry] : remote) {
            const auto it = local.find(path);
            if (it == local.end()) {
                toUpdate[path] = entry;
                continue;
            }
            if (it->second.md5 != entry.md5) {
                toUpdate[path] = entry;
            }
            local.erase(it);
        }
        for (const auto& [path, entry] : local) {
            toDelete.push_back(path);
        }
    }
    toUpdate.erase(kVersionEntryName);
}

std::string SerializeVersionMap(const std::string& version, const VersionMap& map) {
    Json::Value root(Json::objectValue);
    root["version"] = version;
    Json::Value& list = root["list"] = Json::Value(Json::objectValue);
    for (const auto& [path, entry] : map) {
        Json::Value& item = list[path];
        item["md5"] = entry.md5;
        item["size"] = static_cast<Json::Int64>(entry.size);
    }
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "\t";
    return Json::writeString(builder, root);
}

bool WriteVersionMapFile(const std::wstring& path, const std::string& version, const VersionMap& map) {
    return WriteStringToFileW(path, SerializeVersionMap(version, map));
}
