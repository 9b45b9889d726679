#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

// One community link button of the main window.
struct ForumLink {
    std::string normalImage;  // skin image path
    std::string hotImage;
    std::string tooltip;      // language text id; may be empty
    std::string linkKey;      // key into ChannelConfig::links
};

// What the channel configuration of the skin gives for one language.
struct ChannelConfig {
    std::map<std::wstring, std::wstring> overrides;  // language text id -> text
    std::map<std::string, std::wstring> titles;      // "title_main", "title_sub"
    std::map<std::string, std::string> links;        // "Privacy", "Service", "FAQ", "Forum_<name>"
    std::vector<ForumLink> forumLinks;               // in file order, the FAQ entry last
};

// The channel's own file first, then the general one.
inline constexpr const wchar_t* kChannelConfigFiles[] = {
    L"common_config_CHANNEL_TW.json",
    L"common_config.json",
};

// Builds the tables from the configuration's JSON text for language lang ("en" stands in for
// a language the file does not name). Entries without the strings they need are skipped.
// False when the text is not a JSON object.
bool ParseChannelConfig(const std::string& text, const std::string& lang, ChannelConfig& out);

// Reads a skin resource file by its name; false when there is none.
using ResourceReader = std::function<bool(const std::wstring& name, std::string& text)>;

// Parses the first of kChannelConfigFiles that read can read. False when neither can be read
// or the one read does not parse; out is then untouched.
bool ReadChannelConfig(const ResourceReader& read, const std::string& lang, ChannelConfig& out);
