#include "app/json_util.h"

#include <exception>
#include <memory>

#include "app/file_util.h"
#include "app/safe_path.h"

namespace {

// The depth guards the recursion for values not built by ParseJson.
bool FindJsonMemberAt(const Json::Value& object, const std::string& key, Json::Value& out,
                      int depth) {
    if (!object.isObject() || depth > kMaxJsonDepth) return false;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!it->isNull() && it.name() == key) {
            out = *it;
            return true;
        }
        if (!it->isArray()) continue;
        for (const Json::Value& element : *it)
            if (FindJsonMemberAt(element, key, out, depth + 1)) return true;
    }
    return false;
}

std::string FormatJson(const Json::Value& value) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "\t";
    return Json::writeString(builder, value);
}

// ParseJson of what a file read gave, or the read's failure.
bool ParseFileText(bool read, const std::string& text, Json::Value& out, std::string& errors) {
    if (!read) {
        errors = "cannot read the file";
        return false;
    }
    return ParseJson(text, out, errors);
}

bool WriteJsonTo(const Json::Value& value, std::string& text) {
    try {
        text = FormatJson(value);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

bool ParseJson(const std::string& text, Json::Value& out, std::string& errors) {
    errors.clear();
    if (text.empty()) {
        errors = "empty text";
        return false;
    }
    try {
        Json::CharReaderBuilder builder;
        builder["stackLimit"] = kMaxJsonDepth;
        const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
        Json::Value value;
        if (!reader->parse(text.data(), text.data() + text.size(), &value, &errors) ||
            !errors.empty()) {
            if (errors.empty()) errors = "not JSON";
            return false;
        }
        out = std::move(value);
        return true;
    } catch (const std::exception& e) {
        errors = e.what();
        return false;
    }
}

bool FindJsonMember(const Json::Value& object, const std::string& key, Json::Value& out) {
    return FindJsonMemberAt(object, key, out, 0);
}

bool FindJsonString(const Json::Value& object, const std::string& key, std::string& out) {
    Json::Value value;
    if (!FindJsonMember(object, key, value) || !value.isString()) return false;
    out = value.asString();
    return true;
}

bool FindJsonInt(const Json::Value& object, const std::string& key, int& out) {
    Json::Value value;
    if (!FindJsonMember(object, key, value) || !value.isInt()) return false;
    out = value.asInt();
    return true;
}

bool GetJsonStringList(const Json::Value& object, const std::string& key,
                       std::vector<std::string>& out) {
    out.clear();
    Json::Value value;
    if (!FindJsonMember(object, key, value)) return false;
    if (value.isArray()) {
        for (const Json::Value& element : value)
            if (element.isString()) out.push_back(element.asString());
    } else if (value.isString()) {
        out.push_back(value.asString());
    }
    return !out.empty();
}

bool ReadJsonFileW(const std::wstring& path, Json::Value& out, std::string& errors) {
    std::string text;
    return ParseFileText(ReadFileToStringW(path, text), text, out, errors);
}

bool ReadJsonFile(const std::string& path, Json::Value& out, std::string& errors) {
    std::string text;
    return ParseFileText(ReadFileToString(path, text), text, out, errors);
}

bool WriteJsonFileW(const std::wstring& path, const Json::Value& value) {
    std::string text;
    return WriteJsonTo(value, text) && WriteStringToFileW(path, text);
}

bool WriteJsonFile(const std::string& path, const Json::Value& value) {
    std::string text;
    return WriteJsonTo(value, text) && WriteStringToFile(path, text);
}

bool WriteStringListFile(const std::string& path, const std::list<std::string>& list) {
    Json::Value array;  // stays null for an empty list
    for (const std::string& name : list) array.append(name);
    return WriteJsonFile(path, array);
}

bool ReadStringListFile(const std::string& path, std::list<std::string>& out) {
    Json::Value value;
    std::string errors;
    if (!ReadJsonFile(path, value, errors) || !value.isArray()) return false;
    std::list<std::string> names;
    for (const Json::Value& element : value) {
        if (!element.isString()) return false;
        names.push_back(element.asString());
    }
    out.splice(out.end(), names);
    return true;
}

bool ReadRelativePathListFile(const std::string& path, std::list<std::string>& out,
                              std::string* error) {
    std::list<std::string> names;
    if (!ReadStringListFile(path, names)) {
        if (error) *error = "not a list of names: " + path;
        return false;
    }
    for (const std::string& name : names) {
        std::string why;
        if (!IsSafeRelativePath(name, &why)) {
            if (error) *error = why + ": " + name;
            return false;
        }
    }
    out.splice(out.end(), names);
    return true;
}
