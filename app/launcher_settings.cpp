#include "app/launcher_settings.h"

#include <algorithm>
#include <utility>

#include <json/json.h>

#include "app/file_util.h"
#include "app/json_util.h"
#include "base/string_conversions.h"

namespace {

void TakeBool(const Json::Value& root, const char* key, bool& field) {
    const Json::Value& value = root[key];
    if (value.isBool()) field = value.asBool();
}

// isInt() also holds for integral reals within int's range.
bool TakeInt(const Json::Value& root, const char* key, int& field) {
    const Json::Value& value = root[key];
    if (!value.isInt()) return false;
    field = value.asInt();
    return true;
}

void TakeSpeedCap(const Json::Value& root, const char* key, int& field) {
    if (TakeInt(root, key, field)) field = std::clamp(field, kMinSpeedCap, kMaxSpeedCap);
}

// Statistics are never negative; isUInt64() also holds for integral reals below 2^64.
void TakeCount(const Json::Value& root, const char* key, std::uint64_t& field) {
    const Json::Value& value = root[key];
    if (value.isUInt64()) field = value.asUInt64();
}

void TakeString(const Json::Value& root, const char* key, std::string& field) {
    const Json::Value& value = root[key];
    if (value.isString()) field = value.asString();
}

// Only objects have members; any other root (an array, a number) counts as unparsable.
bool ReadObjectFile(const std::wstring& path, Json::Value& root) {
    std::string errors;
    return ReadJsonFileW(path, root, errors) && root.isObject();
}

}  // namespace

std::wstring SettingsFilePath() {
    return GetSaveDirW() + L"\\EnvConfig.json";
}

std::wstring DownloadLogFilePath() {
    return GetSaveDirW() + L"\\Log.json";
}

bool ReadSettingsFile(const std::wstring& path, LauncherSettings& settings) {
    Json::Value root;
    if (!ReadObjectFile(path, root)) return false;
    // Any index is kept as the file has it; where it is used, one outside the table means "en".
    TakeInt(root, "languageType", settings.languageType);
    const Json::Value& gamePath = std::as_const(root)["gamePath"];
    std::wstring widePath;
    if (gamePath.isString() && kbase::Utf8ToWide(gamePath.asCString(), widePath)) {
        settings.gamePath = widePath;
    }
    TakeBool(root, "closeToHide", settings.closeToHide);
    TakeBool(root, "downloadLimit", settings.downloadLimit);
    TakeSpeedCap(root, "downloadSpeed", settings.downloadSpeed);
    TakeBool(root, "predlcLimit", settings.predlcLimit);
    TakeSpeedCap(root, "predlcSpeed", settings.predlcSpeed);
    TakeBool(root, "automaticStart", settings.automaticStart);
    TakeBool(root, "autoUpdate", settings.autoUpdate);
    return true;
}

bool WriteSettingsFile(const std::wstring& path, const LauncherSettings& settings) {
    std::string gamePath;
    kbase::WideToUtf8(settings.gamePath, gamePath);
    Json::Value root(Json::objectValue);
    root["languageType"] = settings.languageType;
    root["gamePath"] = gamePath;
    root["closeToHide"] = settings.closeToHide;
    root["downloadLimit"] = settings.downloadLimit;
    root["downloadSpeed"] = settings.downloadSpeed;
    root["predlcLimit"] = settings.predlcLimit;
    root["predlcSpeed"] = settings.predlcSpeed;
    root["automaticStart"] = settings.automaticStart;
    root["autoUpdate"] = settings.autoUpdate;
    return WriteJsonFileW(path, root);
}

bool ReadDownloadLogFile(const std::wstring& path, DownloadLog& log) {
    Json::Value root;
    if (!ReadObjectFile(path, root)) return false;
    TakeBool(root, "firstInstall", log.firstInstall);
    TakeCount(root, "downloadSize", log.downloadSize);
    TakeCount(root, "downloadSpeed", log.downloadSpeed);
    TakeCount(root, "downloadTime", log.downloadTime);
    TakeString(root, "downloadVersion", log.downloadVersion);
    return true;
}

bool WriteDownloadLogFile(const std::wstring& path, const DownloadLog& log) {
    Json::Value root(Json::objectValue);
    root["firstInstall"] = log.firstInstall;
    // Written unsigned so that every value reads back (a signed write would turn counts of
    // 2^63 and more negative, which the reader refuses).
    root["downloadSize"] = Json::UInt64(log.downloadSize);
    root["downloadSpeed"] = Json::UInt64(log.downloadSpeed);
    root["downloadTime"] = Json::UInt64(log.downloadTime);
    root["downloadVersion"] = log.downloadVersion;
    return WriteJsonFileW(path, root);
}
