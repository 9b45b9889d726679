#include "app/version_text.h"

#include <charconv>
#include <vector>

#include <json/json.h>

#include "app/file_util.h"
#include "app/json_util.h"
#include "app/text_util.h"

namespace {

// Leading white space and a sign are allowed and trailing characters ignored, as a C number
// reader would; out of range or no digits at all is no number.
bool ParseLeadingInt(const std::string& text, int& out) {
    std::size_t at = text.find_first_not_of(" \t\n\v\f\r");
    if (at == std::string::npos) return false;
    if (text[at] == '+') {
        ++at;
        if (at == text.size() || text[at] < '0' || text[at] > '9') return false;
    }
    const auto result = std::from_chars(text.data() + at, text.data() + text.size(), out);
    return result.ec == std::errc();
}

}  // namespace

void ReadVersionMapVersion(const std::wstring& path, std::string& out, const std::string& defaultText) {
    out = defaultText;
    Json::Value root;
    Json::Value version;
    std::string errors;
    if (!ReadJsonFileW(path, root, errors) || !FindJsonMember(root, "version", version)) return;
    if (version.isString()) {
        out = version.asString();
    } else if (version.isObject()) {
        out.clear();
        FindJsonString(version, "md5", out);
    }
}

void FormatDisplayVersion(const std::string& version, std::string& out) {
    std::vector<std::string> parts;
    int n = 0;
    if (SplitString(version, "_", parts) != 3 || !ParseLeadingInt(parts[0], n)) {
        out = version;
        return;
    }
    std::string text;
    if (n > 1000000) {
        text += std::to_string(n / 1000000) + ".";
        n %= 1000000;
    }
    if (n > 10000) {
        text += std::to_string(n / 10000) + ".";
        n %= 10000;
    } else {
        text += "0.";
    }
    if (n > 100) {
        text += std::to_string(n / 100) + ".";
        n %= 100;
    } else {
        text += "0.";
    }
    text += std::to_string(n);
    out = text + "." + parts[2] + "." + parts[1];
}
