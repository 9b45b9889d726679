#pragma once

#include <json/json.h>

#include <string>

// What each browser's page saw in return for what the test driver made it do, as JSON events.
namespace page_log {

// Appends event to the browser's log.
void Add(int browserId, Json::Value event);
// The browser's log as a JSON array text (empty array when none).
std::string Text(int browserId);
// Forgets every browser's log.
void Clear();

}  // namespace page_log

// Compact JSON text of value.
std::string JsonText(const Json::Value& value);
