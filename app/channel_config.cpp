#include "app/channel_config.h"

#include <json/json.h>

#include "app/json_util.h"
#include "base/string_conversions.h"

namespace {

std::wstring ToWide(const std::string& utf8) {
    std::wstring wide;
    kbase::Utf8ToWide(utf8.c_str(), wide);
    return wide;
}

// A section's entry for lang, else for "en", else the section itself. False when the file has
// no such section.
bool FindByLanguage(const Json::Value& root, const std::string& section, const std::string& lang,
                    Json::Value& out) {
    Json::Value found;
    if (!FindJsonMember(root, section, found)) return false;
    if (FindJsonMember(found, lang, out) || FindJsonMember(found, "en", out)) return true;
    out = found;
    return true;
}

void ReadOverrides(const Json::Value& root, ChannelConfig& out) {
    Json::Value list;
    if (!FindJsonMember(root, "OverwriteStrings", list) || !list.isArray()) return;
    for (const Json::Value& entry : list) {
        std::string key;
        std::string value;
        if (FindJsonString(entry, "key", key) && FindJsonString(entry, "value", value)) {
            out.overrides[ToWide(key)] = ToWide(value);
        }
    }
}

void ReadTitles(const Json::Value& root, const std::string& lang, ChannelConfig& out) {
    Json::Value titles;
    if (!FindByLanguage(root, "Titles", lang, titles)) return;
    for (const char* name : {"title_main", "title_sub"}) {
        std::string text;
        if (FindJsonString(titles, name, text)) out.titles[name] = ToWide(text);
    }
}

void ReadLink(const Json::Value& root, const std::string& section, const std::string& lang,
              ChannelConfig& out) {
    Json::Value url;
    if (FindByLanguage(root, section, lang, url) && url.isString()) out.links[section] = url.asString();
}

// A button needs its link key and both images; each entry stands on its own strings.
void AddButton(ChannelConfig& out, ForumLink link, const std::string& url) {
    if (link.linkKey.empty() || link.normalImage.empty() || link.hotImage.empty()) return;
    out.links[link.linkKey] = url;
    out.forumLinks.push_back(std::move(link));
}

void ReadForum(const Json::Value& root, const std::string& lang, ChannelConfig& out) {
    Json::Value forum;
    if (!FindByLanguage(root, "Forum", lang, forum) || !forum.isArray()) return;
    for (const Json::Value& entry : forum) {
        std::string name;
        std::string url;
        ForumLink link;
        if (FindJsonString(entry, "name", name) && !name.empty()) link.linkKey = "Forum_" + name;
        FindJsonString(entry, "NormalImage", link.normalImage);
        FindJsonString(entry, "HotImage", link.hotImage);
        FindJsonString(entry, "url", url);
        FindJsonString(entry, "Tooltips", link.tooltip);
        AddButton(out, std::move(link), url);
    }
}

void ReadFaq(const Json::Value& root, const std::string& lang, ChannelConfig& out) {
    Json::Value faq;
    if (!FindJsonMember(root, "FAQ", faq)) return;
    ForumLink link;
    link.linkKey = "FAQ";
    FindJsonString(faq, "NormalImage", link.normalImage);
    FindJsonString(faq, "HotImage", link.hotImage);
    std::string url;
    Json::Value local;
    if (FindByLanguage(root, "FAQ", lang, local)) {
        FindJsonString(local, "url", url);
        FindJsonString(local, "Tooltips", link.tooltip);
    }
    AddButton(out, std::move(link), url);
}

}  // namespace

bool ParseChannelConfig(const std::string& text, const std::string& lang, ChannelConfig& out) {
    Json::Value root;
    std::string errors;
    if (!ParseJson(text, root, errors) || !root.isObject()) return false;
    ChannelConfig config;
    ReadOverrides(root, config);
    ReadTitles(root, lang, config);
    ReadLink(root, "Privacy", lang, config);
    ReadLink(root, "Service", lang, config);
    ReadForum(root, lang, config);
    ReadFaq(root, lang, config);
    out = std::move(config);
    return true;
}

bool ReadChannelConfig(const ResourceReader& read, const std::string& lang, ChannelConfig& out) {
    for (const wchar_t* name : kChannelConfigFiles) {
        std::string text;
        if (read(name, text)) return ParseChannelConfig(text, lang, out);
    }
    return false;
}
