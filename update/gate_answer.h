#pragma once

#include <optional>
#include <string>
#include <vector>

#include <json/json.h>

// The gate server's answer to get/urls: a JSON object with the download base URLs ("DlcAddr"),
// optionally the remote game version map as JSON text ("CDN"), and the launcher's options as
// JSON text in "Others". Every key is looked up with FindJsonMember, and every value is
// type-checked before use: a value of the wrong type is ignored, never converted by force.

// A JSON value as text: a string as it stands, a number in decimal, true/false, null as "".
// False for arrays and objects, which have no such form.
bool JsonStringForm(const Json::Value& value, std::string& out);

// The base URLs of value: the string form of each element of an array (elements without one
// are skipped), or the string form of the value itself. False when value is neither.
bool ReadAddressList(const Json::Value& value, std::vector<std::string>& out);

// The options of a launcher check, each present only when the answer gave it with a usable type.
struct LauncherGateOptions {
    std::optional<int> patchOption;
    std::optional<bool> useWebExtraParam;
    std::optional<bool> deleteLogTxt;
    std::optional<bool> preDlcCheck;
    std::optional<Json::Value> transToGame;
    std::optional<std::vector<std::string>> dlcAddr;
    std::optional<std::string> activityAddr;
    bool forceUpdateLauncher = false;  // "ForceUpdateLauncher" with a non-empty string form
};

// Reads the options object held as text in the answer's "Others". False when the body is not
// JSON, has no "Others" with a string form, or that text is not JSON; out then holds nothing.
bool ParseLauncherGateOptions(const std::string& body, LauncherGateOptions& out);

enum class GateAnswerResult {
    kOk,
    kNotJson,    // error holds the reader's text
    kNoDlcAddr,
};

struct GameGateAnswer {
    std::vector<std::string> dlcAddr;
    std::optional<std::string> cdn;  // the string form of "CDN", not yet parsed
};

GateAnswerResult ParseGameGateAnswer(const std::string& body, GameGateAnswer& out, std::string& error);

// Answers longer than this are saved to a file instead of being shown.
inline constexpr std::size_t kMaxShownAnswerBytes = 128;
inline constexpr char kSavedAnswerDetail[] = "The information has been saved to file:exception/response.txt";

// The detail that shows a refused answer: the body itself up to kMaxShownAnswerBytes; a longer
// body is written to exception\response.txt (replacing it) and the detail names that file.
std::string AnswerDetail(const std::string& body);
