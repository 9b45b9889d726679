#include "update/update_paths.h"

#include "app/file_util.h"
#include "base/path_util.h"

std::wstring GameFilePath(const std::wstring& gamePath, const std::string& key) {
    return NormalizePathW(NormalizePathW(gamePath, true) + kbase::WidePath(key), false);
}

std::wstring LauncherFilePath(const std::string& key) {
    return kbase::WidePath(NormalizePath(".\\" + key, false));
}

std::wstring InstalledGameFilePath(const std::wstring& gamePath, const std::string& key,
                                   const std::map<std::wstring, std::wstring>& renames) {
    const auto renamed = renames.find(kbase::WidePath(key));
    if (renamed == renames.end()) return GameFilePath(gamePath, key);
    return NormalizePathW(NormalizePathW(gamePath, true) + renamed->second, false);
}

std::string UpdateFilePath(const std::string& key) {
    return NormalizePath(std::string(kUpdateDir) + "\\" + key, false);
}
