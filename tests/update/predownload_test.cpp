// The pre-download task and the resting state's poll beside it, on the worker of the update-flow
// world: how a task ends (refused, failed), and that nothing of an earlier task or of the poll
// reaches a task that runs now; what the poll offers, starts and finds finished.
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "download/download_manager.h"
#include "tests/update/patch_test_support.h"
#include "tests/update/update_flow_support.h"
#include "update/enter_game_state.h"
#include "update/predownload_state.h"
#include "update/request_dispatch.h"

namespace uptest {
namespace {

FileSet GameV1() {
    return {
        {"KORU.exe", patchtest::RandomBytes(20000, 1)},
        {"KORU_Data/level0", patchtest::RandomBytes(300000, 2)},
    };
}

class PreDownload : public UpdateFlowTest {
protected:
    void SetUp() override {
        UpdateFlowTest::SetUp();
        Install("1_0_1", GameV1());
        ServePreDownloadAddresses();
    }

    // The pre-download answer names /p0/, which serves the same folder as the game's /b0/.
    void ServePreDownloadAddresses() {
        SetPreDownloadAnswer("{\"info\": \"{\\\"TW_pc_addr\\\": [\\\"" + server_.Url("/p0/") + "\\\"]}\"}");
    }

    // Asks for the pre-download as the main window does and waits until the task has ended.
    void RunRequestedPreDownload() {
        LauncherContext* context = LauncherContext::Instance();
        context->predownloadRequested = true;
        RunOnWorker([context] { context->StartPreDownload(); });
        RunOnWorker([] {});  // the start is itself a posted task
        ASSERT_TRUE(WaitOnWorker([context] { return !context->preDownloadState; }));
        RunOnUi([] {});  // the boxes and messages posted until then have been handled
    }

    // Worker thread: makes the resting state current with its poll held, so that it polls only
    // when PollOnce asks (left alone it polls at its first tick).
    static EnterGameState* RestWithoutPolling() {
        LauncherContext* context = LauncherContext::Instance();
        context->SetState(std::make_unique<EnterGameState>());
        auto* resting = static_cast<EnterGameState*>(context->currentState.get());
        resting->pollPeriodMs = kNoPoll;
        return resting;
    }

    // One whole poll of the resting state (each step answers before its request returns), after
    // which the UI thread has taken what it sent.
    void PollOnce() {
        RunOnWorker([] {
            auto* resting = static_cast<EnterGameState*>(LauncherContext::Instance()->currentState.get());
            resting->pollPeriodMs = 0;
            resting->Update();
            resting->pollPeriodMs = kNoPoll;
        });
        RunOnUi([] {});
    }

    static constexpr std::uint32_t kNoPoll = std::numeric_limits<std::uint32_t>::max();

    static PreDownloadState* NewTask() {
        LauncherContext* context = LauncherContext::Instance();
        context->preDownloadState = std::make_unique<PreDownloadState>();
        context->preDownloadState->Enter(nullptr);
        return static_cast<PreDownloadState*>(context->preDownloadState.get());
    }
};

// Offered versions that are not to be pre-downloaded end the task with their reason, and a file
// that cannot be fetched ends it with the manager's failure; each ends the request too.
TEST_F(PreDownload, RefusedVersionsAndFailedFilesEndTheTaskWithTheirReason) {
    struct Case {
        const char* name;
        const char* offered;
        const char* remoteGame;  // the game's servers' version, when known
        bool fileMissing;
        const wchar_t* detail;
    } const cases[] = {
        {"the installed version", "1_0_1", "", false, L"STRING_ERROR_DLC_LAST"},
        {"an older version", "1_0_0", "", false, L"STRING_ERROR_DLC_LAST"},
        {"one before the game's pending update", "1_0_2", "1_0_3", false, L"STRING_ERROR_DLC_OUTDATED"},
        {"one past the game's pending update", "1_0_4", "1_0_3", false, L"STRING_ERROR_DLC_FIRST"},
        {"a file the server lacks", "1_0_2", "", true, L"-3\n"},
    };
    LauncherContext* context = LauncherContext::Instance();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        context->remoteGameVersion.Set(c.remoteGame);
        FileSet offered = GameV1();
        offered["KORU_Data/level0"] = Changed(offered.at("KORU_Data/level0"));
        Publish(c.offered, offered);
        if (c.fileMissing) ::DeleteFileW((root_ + L"\\www\\KORU_Data\\level0").c_str());
        const std::size_t boxesBefore = Boxes().size();

        RunRequestedPreDownload();

        const std::vector<MessageBoxContent> boxes = Boxes();
        ASSERT_EQ(boxes.size(), boxesBefore + 1);
        EXPECT_EQ(boxes.back().detail.text.find(c.detail), 0u) << boxes.back().detail.text;
        EXPECT_EQ(boxes.back().secondButton, L"STRING_CONFIRM");
        EXPECT_FALSE(context->predownloadRequested);
        const std::vector<Message> pages = Messages(kMsgPreDlcStatus);
        ASSERT_FALSE(pages.empty());
        EXPECT_EQ(pages.back().w, 0) << "the page shows no pre-download";
    }
}

// A transfer of an earlier task that reports after a new task started is not the new task's:
// the new one goes on.
TEST_F(PreDownload, AnEarlierTasksLateFailureDoesNotFailANewTask) {
    int step = -1;
    int result = -1;
    RunOnWorker([&] {
        PreDownloadState* task = NewTask();
        DispatchPreDownloadFileDone(kPreDownloadStateType, DownloadResult::kTransferFailed, "KORU_Data/level0", "28,0,stale");
        DispatchPreDownloadProgress(kPreDownloadStateType, 1e6);
        step = task->step;
        result = task->result;
        LauncherContext::Instance()->StopPreDownload(true);
    });
    EXPECT_EQ(step, kPreDownloadAddresses);
    EXPECT_EQ(result, kPreDownloadAddresses);
}

// The windows read the task's step as the context publishes it, never from the task itself.
TEST_F(PreDownload, TheContextPublishesTheTasksStepUntilItEnds) {
    LauncherContext* context = LauncherContext::Instance();
    int running = -1;
    RunOnWorker([&] {
        NewTask();
        running = context->preDownloadStep.load();
        context->StopPreDownload(true);
    });
    EXPECT_EQ(running, kPreDownloadAddresses);
    EXPECT_EQ(context->preDownloadStep.load(), kPreDownloadEnded);
}

// The error box of a failed task stops that task when it is answered, never one started since.
TEST_F(PreDownload, AnEarlierTasksErrorBoxDoesNotStopANewTask) {
    LauncherContext* context = LauncherContext::Instance();
    PreDownloadState* second = nullptr;
    RunOnWorker([&] {
        PreDownloadState* first = NewTask();
        first->step = kPreDownloadRemoteMap;
        DispatchPreDownloadRequestDone(kPreDownloadStateType, DownloadResult::kSuccess, "version_map.txt", "not json", 8, "");
        first->Update();  // shows the error box; its answer comes later
        context->StopPreDownload(true);
        second = NewTask();
        second->result = 0;  // holds the new task where it is
    });
    RunOnUi([] {});      // the box was answered on the UI thread
    RunOnWorker([] {});  // and the answer's stop, posted back to the worker, has run
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes().back().detail.text.find(L"PreDlc parse remote Failed"), 0u);
    RunOnWorker([&] { EXPECT_EQ(context->preDownloadState.get(), second); });
}

// The poll asks the game's servers for the game's map without moving the content list that a
// running pre-download fetches from.
TEST_F(PreDownload, ThePollLeavesTheContentListOfARunningPreDownload) {
    Publish("1_0_1", GameV1());
    const std::vector<std::string> preDownloadList = {server_.Url("/p0/")};
    LauncherContext* context = LauncherContext::Instance();
    std::vector<std::string> afterPoll;
    RunOnWorker([&] {
        DownloadManager::Instance().dlcUrls = preDownloadList;
        NewTask()->result = 0;  // a task that is busy
        EnterGameState* resting = RestWithoutPolling();
        resting->HandleGateAnswer(GateAnswerWith({server_.BaseUrl(0)}));
        afterPoll = DownloadManager::Instance().dlcUrls;
        context->StopPreDownload(true);
    });
    EXPECT_EQ(afterPoll, preDownloadList);
    std::vector<std::string> fetched = RequestPaths("/b0/");
    EXPECT_EQ(fetched, std::vector<std::string>{"/b0/version_map.txt"});
    EXPECT_EQ(context->remoteGameVersion.Get(), "1_0_1");
}

// The resting state's poll finds a coming version on the pre-download addresses while the game's
// servers still serve the installed one: it offers it with the bytes to fetch (the patch where
// one is listed), starts the task once the player asked for it, and afterwards reports the
// finished pre-download without fetching anything again.
TEST_F(PreDownload, ThePollOffersAComingVersionStartsItWhenAskedAndThenSeesItFinished) {
    const FileSet v1 = GameV1();
    FileSet v2 = v1;
    v2["KORU_Data/level0"] = Changed(v1.at("KORU_Data/level0"));
    v2["KORU_Data/new.bin"] = patchtest::RandomBytes(5000, 7);
    const std::string patch = patchtest::RandomBytes(777, 8);
    Publish("1_0_2", v2);
    WriteBytes(".\\www\\patchs\\1_0_1\\KORU_Data\\level0.patch", patch);
    WriteBytes(".\\www\\patchs\\1_0_1\\KORU.exe.patch", "present");
    WriteBytes(".\\www\\patchs\\1_0_1\\patch_list.txt",
               FlatMapText("", {{"KORU_Data/level0", {Md5Of(patch), static_cast<std::int64_t>(patch.size())}}}));
    const auto serve = [&] {
        ServePreDownloadAddresses();
        SetGateAnswer(GateAnswerWith({server_.BaseUrl(0)}));
        ServeRaw("/b0/version_map.txt", FlatMapText("1_0_1", MapOf(v1)));
    };
    const std::vector<std::string> pollsOnly = {"/p0/version_map.txt", "/p0/patchs/1_0_1/patch_list.txt"};
    LauncherContext* context = LauncherContext::Instance();
    bool taskMade = true;
    serve();
    RunOnWorker([] { RestWithoutPolling(); });

    PollOnce();
    RunOnWorker([&] { taskMade = context->preDownloadState != nullptr; });
    EXPECT_FALSE(taskMade) << "offered only";
    EXPECT_EQ(context->remoteGameVersion.Get(), "1_0_1");
    EXPECT_EQ(context->remotePreDownloadVersion.Get(), "1_0_2");
    EXPECT_EQ(context->preDownloadSize.load(), patch.size() + v2.at("KORU_Data/new.bin").size());
    ASSERT_FALSE(Messages(kMsgPreDlcStatus).empty());
    EXPECT_EQ(Messages(kMsgPreDlcStatus).back().w, 1) << "available";
    EXPECT_TRUE(Messages(kMsgGameUpdateAvailable).empty());
    EXPECT_EQ(RequestPaths("/p0/"), pollsOnly);

    context->predownloadRequested = true;
    PollOnce();
    RunOnWorker([] {});  // the start is itself a posted task
    ASSERT_TRUE(WaitOnWorker([context] { return !context->preDownloadState; }));
    RunOnUi([] {});
    const std::string folder = ".\\update\\predownload\\1_0_2\\";
    EXPECT_EQ(ReadBytes(folder + Md5Of(patch)), patch);
    EXPECT_EQ(ReadBytes(folder + Md5Of(v2.at("KORU_Data/new.bin"))), v2.at("KORU_Data/new.bin"));
    EXPECT_TRUE(FileExists(folder + "predownload_version_map.txt"));
    EXPECT_EQ(Messages(kMsgPreDlcStatus).back().w, 3) << "finished";
    EXPECT_FALSE(context->predownloadRequested);

    ASSERT_TRUE(server_.Reset());
    serve();
    const std::size_t pagesBefore = Messages(kMsgPreDlcStatus).size();
    PollOnce();
    RunOnWorker([&] { taskMade = context->preDownloadState != nullptr; });
    EXPECT_FALSE(taskMade);
    ASSERT_GT(Messages(kMsgPreDlcStatus).size(), pagesBefore);
    EXPECT_EQ(Messages(kMsgPreDlcStatus).back().w, 3) << "still finished";
    EXPECT_EQ(RequestPaths("/p0/"), pollsOnly) << "nothing fetched again";
}

}  // namespace
}  // namespace uptest
