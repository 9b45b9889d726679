#pragma once

#include <list>
#include <string>
#include <vector>

#include <json/json.h>

// JSON text from servers and local files. Nothing here throws: every value is type-checked
// before it is converted, and parse errors come back as false with a message. Narrow paths are
// UTF-8.

// Parses text (nesting limited to kMaxJsonDepth). False for empty text, a syntax error or too
// deep nesting; errors then says why.
constexpr int kMaxJsonDepth = 64;
bool ParseJson(const std::string& text, Json::Value& out, std::string& errors);

// Looks key up among object's members (in member-name order); a member with that name whose
// value is null does not count. Objects that are elements of array members are searched in
// turn, depth first; object members themselves are not entered. False when object is not an object or nothing
// matched.
bool FindJsonMember(const Json::Value& object, const std::string& key, Json::Value& out);
// FindJsonMember whose hit must be a string / an integer within int's range; out is untouched
// otherwise.
bool FindJsonString(const Json::Value& object, const std::string& key, std::string& out);
bool FindJsonInt(const Json::Value& object, const std::string& key, int& out);

// out := the strings found under key: the elements of an array, or the value itself. Elements
// that are not strings are skipped. True when out is not empty.
bool GetJsonStringList(const Json::Value& object, const std::string& key,
                       std::vector<std::string>& out);

// Reads and parses a whole file; false when it is missing, unreadable or not JSON.
bool ReadJsonFile(const std::string& path, Json::Value& out, std::string& errors);
bool ReadJsonFileW(const std::wstring& path, Json::Value& out, std::string& errors);

// Writes value tab-indented, whole or not at all (see atomic_file.h).
bool WriteJsonFile(const std::string& path, const Json::Value& value);
bool WriteJsonFileW(const std::wstring& path, const Json::Value& value);

// A JSON array of strings (the deferred-update lists update\cef_update.txt and
// update\font_update.txt). An empty list is written as null, which the readers refuse.
bool WriteStringListFile(const std::string& path, const std::list<std::string>& list);
// Appends the array's strings to out (not emptied). False, out untouched, for a missing or
// unparsable file, a value that is not an array, or an element that is not a string.
bool ReadStringListFile(const std::string& path, std::list<std::string>& out);
// ReadStringListFile that also refuses the whole list when any name could leave its folder
// (see safe_path.h); *error (when given) names the offending entry.
bool ReadRelativePathListFile(const std::string& path, std::list<std::string>& out,
                              std::string* error = nullptr);
