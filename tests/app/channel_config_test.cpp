#include "app/channel_config.h"

#include <gtest/gtest.h>

namespace {

// Shaped like the channel's own file: titles and links per language, forum links for "en" only.
constexpr char kChannelFile[] = R"({
  "OverwriteStrings": [{"key": "STRING_GAME_TITLE", "value": "Tarvenor"},
                       {"key": "STRING_X", "value": 5},
                       "not an object",
                       {"key": "STRING_GAME_TITLE", "value": "\u5854\u6587\u8afe"}],
  "Titles": {"en": {"title_main": "Main", "title_sub": "Sub"},
             "zh_TW": {"title_main": "\u4e3b", "title_sub": 3}},
  "Privacy": {"en": "http://privacy/en", "zh_TW": "http://privacy/tw"},
  "Service": {"en": "http://service/en", "ja": "http://service/ja"},
  "Forum": {"en": [
      {"name": "facebook", "url": "http://fb/", "NormalImage": "fb.png", "HotImage": "fb_h.png", "Tooltips": "STRING_FB"},
      {"name": "Bahamut", "url": "http://bh/", "NormalImage": "bh.png", "HotImage": "", "Tooltips": "STRING_BH"},
      {"name": "youtube", "url": "http://yt/", "NormalImage": "yt.png", "HotImage": "yt_h.png"},
      {"url": "http://nameless/", "NormalImage": "n.png", "HotImage": "n_h.png"},
      7,
      {"name": "mycard", "url": "http://mc/", "NormalImage": "mc.png", "HotImage": "mc_h.png", "Tooltips": "STRING_MC"}]},
  "FAQ": {"NormalImage": "faq.png", "HotImage": "faq_h.png",
          "en": {"url": "http://faq/", "Tooltips": "STRING_FAQ"}}
})";

TEST(ChannelConfig, BuildsTheTablesForTheLanguageWithEnglishFallback) {
    ChannelConfig config;
    ASSERT_TRUE(ParseChannelConfig(kChannelFile, "zh_TW", config));
    EXPECT_EQ(config.overrides, (std::map<std::wstring, std::wstring>{
                                    {L"STRING_GAME_TITLE", L"\u5854\u6587\u8afe"}}));
    // "title_sub" of zh_TW is no string, and the language's entry is not mixed with "en".
    EXPECT_EQ(config.titles, (std::map<std::string, std::wstring>{{"title_main", L"\u4e3b"}}));
    EXPECT_EQ(config.links, (std::map<std::string, std::string>{
                                {"Privacy", "http://privacy/tw"},
                                {"Service", "http://service/en"},
                                {"Forum_facebook", "http://fb/"},
                                {"Forum_youtube", "http://yt/"},
                                {"Forum_mycard", "http://mc/"},
                                {"FAQ", "http://faq/"}}));
    ASSERT_EQ(config.forumLinks.size(), 4u);
    const ForumLink& fb = config.forumLinks[0];
    EXPECT_EQ(fb.normalImage, "fb.png");
    EXPECT_EQ(fb.hotImage, "fb_h.png");
    EXPECT_EQ(fb.tooltip, "STRING_FB");
    EXPECT_EQ(fb.linkKey, "Forum_facebook");
    // An entry without "Tooltips" does not inherit the previous entry's.
    EXPECT_EQ(config.forumLinks[1].linkKey, "Forum_youtube");
    EXPECT_EQ(config.forumLinks[1].tooltip, "");
    EXPECT_EQ(config.forumLinks[2].linkKey, "Forum_mycard");
    const ForumLink& faq = config.forumLinks[3];
    EXPECT_EQ(faq.linkKey, "FAQ");
    EXPECT_EQ(faq.normalImage, "faq.png");
    EXPECT_EQ(faq.hotImage, "faq_h.png");
    EXPECT_EQ(faq.tooltip, "STRING_FAQ");
}

TEST(ChannelConfig, SectionsWithoutLanguagesAndBrokenEntries) {
    struct Case {
        const char* text;
        std::map<std::string, std::string> links;
        std::size_t buttons;
    } const cases[] = {
        {R"({})", {}, 0},
        // A section without language entries stands for every language.
        {R"({"Privacy": "http://p/", "Forum": [{"name": "a", "url": "http://a/", "NormalImage": "n", "HotImage": "h"}]})",
         {{"Privacy", "http://p/"}, {"Forum_a", "http://a/"}}, 1},
        {R"({"Privacy": {"fr": "http://fr/"}, "Service": {"en": 5}})", {}, 0},
        {R"({"Privacy": null, "Forum": {"en": {"name": "a"}}})", {}, 0},
        {R"({"FAQ": {"NormalImage": "", "HotImage": "h", "en": {"url": "http://faq/"}}})", {}, 0},
        {R"({"FAQ": {"NormalImage": "n", "HotImage": "h", "en": "http://faq/"}})", {{"FAQ", ""}}, 1},
        {R"({"FAQ": "x", "Forum": "y", "Titles": [1], "OverwriteStrings": {"key": "a", "value": "b"}})", {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ChannelConfig config;
        ASSERT_TRUE(ParseChannelConfig(c.text, "zh_TW", config));
        EXPECT_EQ(config.links, c.links);
        EXPECT_EQ(config.forumLinks.size(), c.buttons);
        EXPECT_TRUE(config.titles.empty());
        EXPECT_TRUE(config.overrides.empty());
    }
}

TEST(ChannelConfig, ReadsTheChannelFileFirstThenTheGeneralOne) {
    std::map<std::wstring, std::string> files;
    std::vector<std::wstring> asked;
    const ResourceReader read = [&](const std::wstring& name, std::string& text) {
        asked.push_back(name);
        const auto found = files.find(name);
        if (found == files.end()) return false;
        text = found->second;
        return true;
    };
    ChannelConfig previous;
    previous.links["Privacy"] = "http://previous/";
    ChannelConfig config = previous;

    EXPECT_FALSE(ReadChannelConfig(read, "en", config));
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"common_config_CHANNEL_TW.json", L"common_config.json"}));
    EXPECT_EQ(config.links, previous.links);

    files[L"common_config.json"] = R"({"Privacy": {"en": "http://general/"}})";
    EXPECT_TRUE(ReadChannelConfig(read, "en", config));
    EXPECT_EQ(config.links.at("Privacy"), "http://general/");

    files[L"common_config_CHANNEL_TW.json"] = R"({"Service": {"en": "http://tw/"}})";
    EXPECT_TRUE(ReadChannelConfig(read, "en", config));
    EXPECT_EQ(config.links, (std::map<std::string, std::string>{{"Service", "http://tw/"}}));

    // A broken channel file fails the load; the general file does not stand in for it.
    files[L"common_config_CHANNEL_TW.json"] = R"({"Service": )";
    asked.clear();
    EXPECT_FALSE(ReadChannelConfig(read, "en", config));
    EXPECT_EQ(asked, std::vector<std::wstring>{L"common_config_CHANNEL_TW.json"});
    EXPECT_EQ(config.links, (std::map<std::string, std::string>{{"Service", "http://tw/"}}));
}

}  // namespace
