#include "app/misc_thread.h"

#include <atomic>

#include <gtest/gtest.h>

#include "app/launcher_context.h"
#include "base/message_loop.h"
#include "tests/app/launcher_process.h"
#include "tests/app/recording_state.h"
#include "tests/app/scratch_folder.h"
#include "tests/base/thread_test_support.h"

namespace {

TEST(MiscThread, TheFirstTickStartsTheLauncherCheckOnceAndCleanupEndsIt) {
    kbase_test::Watchdog watchdog("worker thread test", std::chrono::seconds(60));
    ScratchFolder folder;
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryW(folder.path().c_str()));

    Journal journal;
    std::atomic<int> made{0};
    std::atomic<int> madeMode{-1};
    LauncherContext* context = LauncherContext::Instance();
    context->SetStateFactory({[&](int mode) {
                                  madeMode = mode;
                                  return std::make_unique<RecordingState>(kPrepareStateType, mode,
                                                                          "p" + std::to_string(++made), journal);
                              },
                              {}});
    {
        MiscThread worker;
        ASSERT_TRUE(worker.StartWithLoop(kbase::MessageLoop::kDefaultLoop));
        EXPECT_TRUE(WaitFor([&] { return journal.Count("p1.update") >= 5; }, 20000));
        worker.Stop();
    }
    EXPECT_EQ(made, 1);
    EXPECT_EQ(madeMode, kLauncherMode);
    EXPECT_TRUE(context->stateMachineStarted);
    const std::vector<std::string> events = journal.Take();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events.front(), "p1.enter(null)");
    EXPECT_EQ(std::vector<std::string>(events.end() - 2, events.end()),
              (std::vector<std::string>{"p1.exit(null)", "p1.deleted"}));
    EXPECT_EQ(context->currentState, nullptr);
    EXPECT_EQ(context->versionMaps.size(), 0u);

    context->SetStateFactory({});
    ::SetCurrentDirectoryW(previous);
}

}  // namespace
