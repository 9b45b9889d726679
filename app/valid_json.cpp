#include "app/valid_json.h"

#include <json/json.h>

#include "app/json_util.h"

bool IsValidJson(const char* bytes, std::size_t length, std::string& error) {
    if (bytes == nullptr) {
        error = "no bytes";
        return false;
    }
    Json::Value ignored;
    return ParseJson(std::string(bytes, length), ignored, error);
}
