// The resting state on the worker of the update-flow world: the automatic game start after an
// update meant to lead into the game, and the queued tracking records it sends.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <json/json.h>

#include "app/json_util.h"
#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "app/launcher_settings.h"
#include "download/download_manager.h"
#include "tests/update/patch_test_support.h"
#include "tests/update/update_flow_support.h"
#include "update/enter_game_state.h"

namespace uptest {
namespace {

using EnterGame = UpdateFlowTest;

TEST_F(EnterGame, AnUpdateMeantToLeadIntoTheGameStartsItHandingOverTheSaveFiles) {
    const FileSet game = {{"KORU.exe", patchtest::RandomBytes(2000, 1)}};
    Install("1_0_1", game);
    Publish("1_0_1", game);
    SetGateAnswer(GateAnswerWith({server_.BaseUrl(0)}));
    WriteBytes(".\\save\\gid.txt", "gid-1234\n");
    LauncherContext* context = LauncherContext::Instance();
    context->downloadLog.Update([](DownloadLog& log) {
        log.firstInstall = true;
        log.downloadSize = 99;
    });

    RunOnWorker([context] { context->StartGameUpdate(true, false); });
    ASSERT_EQ(WaitUntilResting(), kEnterGameStateType);

    EXPECT_EQ(Messages(kMsgHideToTray).size(), 1u);
    EXPECT_EQ(ReadBytes(GamePath("save\\gid.txt")), "gid-1234\n");
    EXPECT_FALSE(FileExists(".\\save\\gid.txt")) << "moved, not copied";
    const DownloadLog log = context->downloadLog.Get();
    EXPECT_FALSE(log.firstInstall);
    EXPECT_EQ(log.downloadSize, 0u);
    DownloadLog saved;
    ASSERT_TRUE(ReadDownloadLogFile(DownloadLogFilePath(), saved));
    EXPECT_FALSE(saved.firstInstall);
}

// Records queued elsewhere leave only while the resting state is current, one a tick, in order.
TEST_F(EnterGame, QueuedTrackingRecordsLeaveOneATickWhileResting) {
    const std::string url = server_.Url("/sink/track");
    RunOnWorker([&url] {
        for (const char* body : {"{\"n\":1}", "{\"n\":2}", "{\"n\":3}"}) DownloadManager::Instance().Track(body, url, false);
    });
    std::vector<std::string> bodies;
    const auto sent = [this, &bodies] {
        bodies.clear();
        Json::Value log;
        std::string errors;
        if (!ParseJson(server_.Log(), log, errors)) return false;
        for (const Json::Value& entry : log) {
            if (entry["path"].asString() == "/sink/track") bodies.push_back(entry["body"].asString());
        }
        return bodies.size() == 3;
    };
    EXPECT_FALSE(sent()) << "nothing leaves before the resting state";

    RunOnWorker([] { LauncherContext::Instance()->SetState(std::make_unique<EnterGameState>()); });
    ASSERT_TRUE(WaitOnWorker(sent));
    EXPECT_EQ(bodies, (std::vector<std::string>{"{\"n\":1}", "{\"n\":2}", "{\"n\":3}"}));
}

}  // namespace
}  // namespace uptest
