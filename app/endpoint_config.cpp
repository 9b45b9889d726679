#include "app/endpoint_config.h"

#include <json/json.h>

#include "app/file_util.h"
#include "app/json_util.h"

namespace {

void TakeString(const Json::Value& value, std::string& field) {
    if (value.isString()) field = value.asString();
}

// A list is an array of strings or one string; empty texts would be base URLs of nothing.
void TakeUrlList(const Json::Value& value, std::vector<std::string>& field) {
    if (value.isString()) {
        if (!value.asString().empty()) field.push_back(value.asString());
        return;
    }
    if (!value.isArray()) return;
    for (const Json::Value& element : value) {
        if (element.isString() && !element.asString().empty()) field.push_back(element.asString());
    }
}

// Switches are booleans; a number counts as true when it is not zero.
void TakeFlag(const Json::Value& value, bool& field) {
    if (value.isBool()) {
        field = value.asBool();
    } else if (value.isNumeric()) {
        field = value.asDouble() != 0.0;
    }
}

// Minutes, truncated, and only 1 to 99; anything else keeps the caller's default in force.
void TakeInterval(const Json::Value& value, int& field) {
    if (!value.isNumeric()) return;
    const double minutes = value.asDouble();
    if (minutes >= kMinIntervalMinutes && minutes < kMaxIntervalMinutes + 1) {
        field = static_cast<int>(minutes);
    }
}

}  // namespace

std::wstring EndpointFilePath() {
    return GetSaveDirW() + L"\\setting.json";
}

bool ParseEndpointConfig(const std::string& text, EndpointConfig& config) {
    Json::Value parsed;
    std::string errors;
    if (!ParseJson(text, parsed, errors) || !parsed.isObject()) return false;
    const Json::Value& root = parsed;  // const lookups add no members
    TakeString(root["GateKey"], config.GateKey);
    TakeUrlList(root["GateURLs"], config.GateURLs);
    TakeFlag(root["QaGate"], config.QaGate);
    TakeUrlList(root["DlcURLs"], config.DlcURLs);
    TakeString(root["ActivityURL"], config.ActivityURL);
    TakeInterval(root["RefreshInterval"], config.RefreshInterval);
    TakeInterval(root["UpdateInterval"], config.UpdateInterval);
    TakeString(root["TrackURL"], config.TrackURL);
    TakeFlag(root["DisableAutoEnterGame"], config.DisableAutoEnterGame);
    return true;
}

bool ReadEndpointFile(const std::wstring& path, EndpointConfig& config) {
    std::string text;
    return ReadFileToStringW(path, text) && ParseEndpointConfig(text, config);
}
