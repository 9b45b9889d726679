#include "app/apply_list.h"

#include <exception>

#include <json/json.h>

#include "app/json_util.h"
#include "app/safe_path.h"

bool ReadApplyList(const std::string& path, ApplyListRecord& record) {
    Json::Value root;
    std::string errors;
    if (!ReadJsonFile(path, root, errors) || !root.isObject()) {
        return false;
    }
    const Json::Value& version = root["version"];
    const Json::Value& fileList = root["fileList"];
    if (!version.isString() || !fileList.isArray()) {
        return false;
    }
    try {
        ApplyListRecord read{version.asString(), {}};
        for (const Json::Value& element : fileList) {
            if (!element.isString() || !IsSafeRelativePath(element.asString())) {
                return false;
            }
            read.fileList.push_back(element.asString());
        }
        record = std::move(read);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool WriteApplyList(const std::string& path, const ApplyListRecord& record) {
    if (record.version.empty() || record.fileList.empty()) {
        return false;
    }
    Json::Value root(Json::objectValue);
    root["version"] = record.version;
    Json::Value& fileList = root["fileList"] = Json::Value(Json::arrayValue);
    for (const std::string& name : record.fileList) {
        fileList.append(name);
    }
    return WriteJsonFile(path, root);
}
