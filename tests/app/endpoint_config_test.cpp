#include "app/endpoint_config.h"

#include <gtest/gtest.h>

#include "tests/app/scratch_folder.h"

namespace {

using Urls = std::vector<std::string>;

TEST(EndpointConfig, TakesEveryMemberOfAFullFile) {
    EndpointConfig config;
    ASSERT_TRUE(ParseEndpointConfig(R"({
        "GateKey": "tw_key", "GateURLs": ["http://g1/", "http://g2/"], "QaGate": true,
        "DlcURLs": "http://dlc/", "ActivityURL": "http://act/?a=1", "RefreshInterval": 5,
        "UpdateInterval": 99, "TrackURL": "http://track/", "DisableAutoEnterGame": true,
        "Unknown": {"x": 1}})",
                                    config));
    EXPECT_EQ(config.GateKey, "tw_key");
    EXPECT_EQ(config.GateURLs, (Urls{"http://g1/", "http://g2/"}));
    EXPECT_TRUE(config.QaGate);
    EXPECT_EQ(config.DlcURLs, Urls{"http://dlc/"});
    EXPECT_EQ(config.ActivityURL, "http://act/?a=1");
    EXPECT_EQ(config.RefreshInterval, 5);
    EXPECT_EQ(config.UpdateInterval, 99);
    EXPECT_EQ(config.TrackURL, "http://track/");
    EXPECT_TRUE(config.DisableAutoEnterGame);
}

// Members of the wrong type or range behave as absent ones: the field keeps its default.
TEST(EndpointConfig, SkipsMembersItCannotUse) {
    struct Case {
        const char* text;
        Urls gate;
        bool qa;
        int refresh;
        std::string gateKey;
    } const cases[] = {
        {R"({"GateURLs": []})", {}, false, 0, ""},
        {R"({"GateURLs": ["", 5, null, {"u": "x"}, ["y"], "http://ok/"]})", {"http://ok/"}, false, 0, ""},
        {R"({"GateURLs": "", "GateKey": 7})", {}, false, 0, ""},
        {R"({"GateURLs": {"a": "http://x/"}, "GateKey": ["k"]})", {}, false, 0, ""},
        {R"({"QaGate": 1})", {}, true, 0, ""},
        {R"({"QaGate": 0.0})", {}, false, 0, ""},
        {R"({"QaGate": "true"})", {}, false, 0, ""},
        {R"({"QaGate": null})", {}, false, 0, ""},
        {R"({"RefreshInterval": 1})", {}, false, 1, ""},
        {R"({"RefreshInterval": 99.9})", {}, false, 99, ""},
        {R"({"RefreshInterval": 0})", {}, false, 0, ""},
        {R"({"RefreshInterval": 100})", {}, false, 0, ""},
        {R"({"RefreshInterval": -5})", {}, false, 0, ""},
        {R"({"RefreshInterval": 0.5})", {}, false, 0, ""},
        {R"({"RefreshInterval": 1e300})", {}, false, 0, ""},
        {R"({"RefreshInterval": "5"})", {}, false, 0, ""},
        {R"({"RefreshInterval": true})", {}, false, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EndpointConfig config;
        ASSERT_TRUE(ParseEndpointConfig(c.text, config));
        EXPECT_EQ(config.GateURLs, c.gate);
        EXPECT_EQ(config.QaGate, c.qa);
        EXPECT_EQ(config.RefreshInterval, c.refresh);
        EXPECT_EQ(config.GateKey, c.gateKey);
    }
}

TEST(EndpointConfig, UnreadableFilesLeaveTheDefaults) {
    for (const char* text : {"", "{\"GateKey\": \"k\"", "[\"GateKey\"]", "\"GateKey\"", "null"}) {
        SCOPED_TRACE(text);
        ScratchFolder folder;
        folder.WriteFile(L"setting.json", text);
        EndpointConfig config;
        EXPECT_FALSE(ReadEndpointFile(folder.Child(L"setting.json"), config));
        EXPECT_EQ(config.GateKey, "");
    }
    EndpointConfig config;
    EXPECT_FALSE(ReadEndpointFile(L"C:\\no\\such\\setting.json", config));

    ScratchFolder folder;
    folder.WriteFile(L"setting.json", "\xEF\xBB\xBF{\"TrackURL\": \"http://t/\"}");  // with a BOM
    EXPECT_TRUE(ReadEndpointFile(folder.Child(L"setting.json"), config));
    EXPECT_EQ(config.TrackURL, "http://t/");
}

}  // namespace
