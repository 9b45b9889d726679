#include "update/gate_answer.h"

#include "app/file_util.h"
#include "app/json_util.h"

namespace {

constexpr char kResponseFile[] = ".\\exception\\response.txt";

}  // namespace

bool JsonStringForm(const Json::Value& value, std::string& out) {
    if (value.isArray() || value.isObject()) return false;
    out = value.isNull() ? std::string() : value.asString();
    return true;
}

bool ReadAddressList(const Json::Value& value, std::vector<std::string>& out) {
    out.clear();
    std::string text;
    if (value.isArray()) {
        for (const Json::Value& element : value) {
            if (JsonStringForm(element, text)) out.push_back(text);
        }
        return true;
    }
    if (!JsonStringForm(value, text)) return false;
    out.push_back(text);
    return true;
}

bool ParseLauncherGateOptions(const std::string& body, LauncherGateOptions& out) {
    out = LauncherGateOptions();
    Json::Value answer, others, options, value;
    std::string errors, othersText;
    if (!ParseJson(body, answer, errors) || !FindJsonMember(answer, "Others", others) ||
        !JsonStringForm(others, othersText) || !ParseJson(othersText, options, errors)) {
        return false;
    }
    // isInt also takes a real number without fraction (3.0), but never "3" or 2.5.
    if (FindJsonMember(options, "PatchOption", value) && value.isNumeric() && value.isInt()) {
        out.patchOption = value.asInt();
    }
    if (FindJsonMember(options, "UseWebExtraParam", value) && value.isBool()) out.useWebExtraParam = value.asBool();
    if (FindJsonMember(options, "DeleteLogTXT", value) && value.isBool()) out.deleteLogTxt = value.asBool();
    if (FindJsonMember(options, "PreDlcCheck", value) && value.isBool()) out.preDlcCheck = value.asBool();
    if (FindJsonMember(options, "TransToGame", value)) out.transToGame = value;
    std::vector<std::string> addresses;
    if (FindJsonMember(options, "DlcAddr", value) && ReadAddressList(value, addresses)) out.dlcAddr = addresses;
    if (FindJsonMember(options, "ActivityAddr", value) && value.isString()) out.activityAddr = value.asString();
    std::string force;
    out.forceUpdateLauncher =
        FindJsonMember(options, "ForceUpdateLauncher", value) && JsonStringForm(value, force) && !force.empty();
    return true;
}

GateAnswerResult ParseGameGateAnswer(const std::string& body, GameGateAnswer& out, std::string& error) {
    out = GameGateAnswer();
    Json::Value answer, value;
    if (!ParseJson(body, answer, error)) return GateAnswerResult::kNotJson;
    if (!FindJsonMember(answer, "DlcAddr", value) || !ReadAddressList(value, out.dlcAddr)) {
        return GateAnswerResult::kNoDlcAddr;
    }
    std::string cdn;
    if (FindJsonMember(answer, "CDN", value) && JsonStringForm(value, cdn)) out.cdn = cdn;
    return GateAnswerResult::kOk;
}

std::string AnswerDetail(const std::string& body) {
    if (body.size() <= kMaxShownAnswerBytes) return body;
    if (!FolderExists(".\\exception")) CreateDirectories(".\\exception");
    WriteStringToFile(kResponseFile, body);
    return kSavedAnswerDetail;
}
