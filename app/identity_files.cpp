#include "app/identity_files.h"

#include <utility>

#include <json/json.h>

#include "app/file_util.h"
#include "app/json_util.h"

std::string ReadGid(const std::wstring& saveDir, const std::wstring& gamePath) {
    std::string gid;
    if (ReadFileToStringW(NormalizePathW(saveDir, true) + L"gid.txt", gid)) return gid;
    // Without a game folder the second path would name the drive's root.
    if (!gamePath.empty() && ReadFileToStringW(NormalizePathW(gamePath, true) + L"save\\gid.txt", gid)) {
        return gid;
    }
    return std::string();
}

std::wstring ExtraConfigFilePath() {
    return GetSaveDirW() + L"\\extra_config.txt";
}

bool ReadInstallPackageType(const std::wstring& path, std::string& out) {
    Json::Value root;
    std::string errors;
    if (!ReadJsonFileW(path, root, errors) || !root.isObject()) return false;
    const Json::Value& type = std::as_const(root)["install_package_type"];
    if (type.isString()) out = type.asString();
    return true;
}
