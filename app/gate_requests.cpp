#include "app/gate_requests.h"

#include <algorithm>
#include <cctype>

#include "app/url_encode.h"

namespace {

std::string QueryValue(std::string text) {
    text.erase(std::remove_if(text.begin(), text.end(),
                              [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }),
               text.end());
    return PercentEncode(text);
}

}  // namespace

std::string BuildUrlsRequest(const std::string& gateKey, const std::string& localGameVersion, bool qaGate,
                             const std::string& udid) {
    const std::string key = gateKey.empty() ? "WIN10TW_" + localGameVersion : gateKey;
    std::string request = "get/urls?key=" + QueryValue(key) + "&udid=" + QueryValue(udid);
    if (qaGate) {
        request += "&is_qa=true";
    }
    return request;
}

std::string BuildPreDownloadRequest(const std::string& udid) {
    return "pre_download?channel=TW&udid=" + QueryValue(udid);
}
