#include "update/gate_answer.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The options text of an answer: {"Others": "<options>"} with the options escaped as a string.
std::string Answer(const std::string& options) {
    std::string escaped;
    for (char c : options) {
        if (c == '"' || c == '\\') escaped += '\\';
        escaped += c;
    }
    return "{\"Others\": \"" + escaped + "\"}";
}

TEST(GateAnswer, LauncherOptionsAreTakenOnlyWithTheirType) {
    struct Case {
        const char* options;
        std::optional<int> patchOption;
        std::optional<bool> deleteLog;
        bool force;
        std::optional<std::vector<std::string>> dlcAddr;
    } const cases[] = {
        {R"({"PatchOption": 3.0, "DlcAddr": "http://a/"})", 3, {}, false, std::vector<std::string>{"http://a/"}},
        {R"({"PatchOption": 2.5, "DeleteLogTXT": "true"})", {}, {}, false, {}},
        {R"({"PatchOption": "3", "DeleteLogTXT": true})", {}, true, false, {}},
        {R"({"PatchOption": 4294967296})", {}, {}, false, {}},
        {R"({"ForceUpdateLauncher": false, "DlcAddr": ["http://a/", {"x": 1}, 7]})", {}, {}, true,
         std::vector<std::string>{"http://a/", "7"}},
        {R"({"ForceUpdateLauncher": "", "DlcAddr": {"url": "http://a/"}})", {}, {}, false, {}},
        {R"({"ForceUpdateLauncher": [1], "DlcAddr": []})", {}, {}, false, std::vector<std::string>{}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        LauncherGateOptions options;
        ASSERT_TRUE(ParseLauncherGateOptions(Answer(c.options), options));
        EXPECT_EQ(options.patchOption, c.patchOption);
        EXPECT_EQ(options.deleteLogTxt, c.deleteLog);
        EXPECT_EQ(options.forceUpdateLauncher, c.force);
        EXPECT_EQ(options.dlcAddr, c.dlcAddr);
    }
}

TEST(GateAnswer, LauncherAnswerWithoutUsableOptionsIsRefused) {
    for (const char* body : {"", "not json", "{}", R"({"Others": {"DlcAddr": "http://a/"}})",
                             R"({"Others": "not json"})", R"({"Others": null})"}) {
        SCOPED_TRACE(body);
        LauncherGateOptions options;
        EXPECT_FALSE(ParseLauncherGateOptions(body, options));
    }
}

TEST(GateAnswer, GameAnswerNeedsAddressesAndTakesTheInlineMapAsText) {
    struct Case {
        const char* body;
        GateAnswerResult result;
        std::vector<std::string> dlcAddr;
        std::optional<std::string> cdn;
    } const cases[] = {
        {"garbage", GateAnswerResult::kNotJson, {}, {}},
        {R"({"CDN": "{}"})", GateAnswerResult::kNoDlcAddr, {}, {}},
        {R"({"DlcAddr": {"a": 1}})", GateAnswerResult::kNoDlcAddr, {}, {}},
        {R"({"DlcAddr": "http://a/", "CDN": "{\"x\": 1}"})", GateAnswerResult::kOk, {"http://a/"}, "{\"x\": 1}"},
        {R"({"DlcAddr": ["http://a/", null, "http://b/"], "CDN": {"x": 1}})", GateAnswerResult::kOk,
         {"http://a/", "", "http://b/"}, {}},
        // Keys are found in the objects of array members too.
        {R"({"servers": [{"DlcAddr": "http://c/"}]})", GateAnswerResult::kOk, {"http://c/"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        GameGateAnswer answer;
        std::string error;
        EXPECT_EQ(ParseGameGateAnswer(c.body, answer, error), c.result);
        if (c.result != GateAnswerResult::kOk) continue;
        EXPECT_EQ(answer.dlcAddr, c.dlcAddr);
        EXPECT_EQ(answer.cdn, c.cdn);
    }
}

}  // namespace
