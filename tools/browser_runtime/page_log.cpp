#include "tools/browser_runtime/page_log.h"

#include <map>
#include <mutex>

namespace page_log {
namespace {

std::mutex& Lock() {
    static std::mutex lock;
    return lock;
}

std::map<int, Json::Value>& Logs() {
    static std::map<int, Json::Value> logs;
    return logs;
}

}  // namespace

void Add(int browserId, Json::Value event) {
    std::lock_guard<std::mutex> hold(Lock());
    Json::Value& log = Logs()[browserId];
    if (log.isNull()) log = Json::Value(Json::arrayValue);
    log.append(std::move(event));
}

std::string Text(int browserId) {
    std::lock_guard<std::mutex> hold(Lock());
    auto found = Logs().find(browserId);
    return JsonText(found == Logs().end() ? Json::Value(Json::arrayValue) : found->second);
}

void Clear() {
    std::lock_guard<std::mutex> hold(Lock());
    Logs().clear();
}

}  // namespace page_log

std::string JsonText(const Json::Value& value) {
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "";
    writer["emitUTF8"] = true;
    return Json::writeString(writer, value);
}
