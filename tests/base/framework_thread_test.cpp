#include "base/framework_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "base/framework_thread_record.h"
#include "base/message_loop.h"
#include "base/thread_registry.h"
#include "tests/base/thread_test_support.h"

namespace {

using kbase::MessageLoop;
using kbase::ThreadRegistry;
using kbase_test::Event;
using kbase_test::HookedThread;
using kbase_test::RegisteredThread;
using kbase_test::RunOn;
using kbase_test::Watchdog;

ThreadRegistry* Registry() { return ThreadRegistry::GetInstance(); }

class EveryLoopType : public testing::TestWithParam<int> {};

TEST_P(EveryLoopType, RunsFromInitToCleanupOnItsOwnThread) {
    constexpr int kId = 30;
    DWORD init_thread = 0;
    DWORD cleanup_thread = 0;
    int cleanup_identifier = 0;
    HookedThread worker(
        [&] {
            init_thread = ::GetCurrentThreadId();
            Registry()->AddCurrentThread(kId);
        },
        [&] {
            cleanup_thread = ::GetCurrentThreadId();
            cleanup_identifier = Registry()->GetCurrentThreadIdentifier();
            Registry()->RemoveCurrentThread();
        });
    ASSERT_TRUE(worker.StartWithLoop(GetParam()));
    // Init has finished when the start returns, so the identifier is already there.
    const auto proxy = Registry()->FindLoopProxy(kId);
    ASSERT_TRUE(proxy);
    EXPECT_EQ(init_thread, worker.thread_id());
    int loop_type = -1;
    ASSERT_TRUE(RunOn(proxy, [&loop_type] { loop_type = MessageLoop::GetCurrentLoopSlot()->loop_type(); }));
    EXPECT_EQ(loop_type, GetParam());

    {
        Watchdog watchdog("stop");
        worker.Stop();
    }
    EXPECT_EQ(cleanup_thread, init_thread);
    EXPECT_EQ(cleanup_identifier, kId);
    EXPECT_EQ(worker.thread_id(), 0u);
    EXPECT_EQ(worker.thread_handle(), nullptr);
    EXPECT_FALSE(worker.LoopProxy());
    EXPECT_FALSE(proxy->PostTask([] {}));
}

INSTANTIATE_TEST_SUITE_P(Types, EveryLoopType,
                         testing::Values(MessageLoop::kDefaultLoop, MessageLoop::kUILoop, MessageLoop::kIOLoop));

TEST(FrameworkThread, StopIsHarmlessUnstartedOrRepeatedAndTheThreadCanStartAgain) {
    Watchdog watchdog("stop and restart");
    RegisteredThread worker(31);
    worker.Stop();  // never started
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(worker.StartWithLoop(MessageLoop::kDefaultLoop));
        EXPECT_FALSE(worker.StartWithLoop(MessageLoop::kDefaultLoop)) << "one loop at a time";
        bool ran = false;
        ASSERT_TRUE(RunOn(Registry()->FindLoopProxy(31), [&ran] { ran = true; }));
        EXPECT_TRUE(ran);
        worker.Stop();
        worker.Stop();
        EXPECT_FALSE(Registry()->FindLoopProxy(31));
    }
}

TEST(FrameworkThread, StopRunsQueuedTasksAndDropsFutureOnes) {
    RegisteredThread worker(32);
    ASSERT_TRUE(worker.StartWithLoop(MessageLoop::kDefaultLoop));
    std::vector<int> ran;
    bool future_ran = false;
    auto probe = std::make_shared<int>();
    std::weak_ptr<int> watch = probe;
    Event release;
    ASSERT_TRUE(Registry()->PostTask(32, [&release] { release.Wait(); }));  // keeps the rest queued
    for (int i = 1; i <= 3; ++i) ASSERT_TRUE(Registry()->PostTask(32, [&ran, i] { ran.push_back(i); }));
    ASSERT_TRUE(Registry()->PostDelayedTask(32, [&future_ran, probe] { future_ran = true; }, 10'000'000));
    probe.reset();
    release.Signal();
    {
        Watchdog watchdog("stop with queued tasks");
        worker.Stop();
    }
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(future_ran);
    EXPECT_TRUE(watch.expired()) << "dropped with the loop";
}

TEST(FrameworkThread, RunsOnTheCallingThreadUntilStopped) {
    constexpr int kId = 33;
    std::vector<std::string> events;
    HookedThread* self = nullptr;
    HookedThread ui(
        [&] {
            Registry()->AddCurrentThread(kId);
            events.push_back("init");
            // The UI thread stops itself from a task, as the launcher's exit does.
            Registry()->PostTask(kId, [&] {
                events.push_back("task");
                self->Stop();
            });
        },
        [&] {
            events.push_back("cleanup");
            Registry()->RemoveCurrentThread();
        });
    self = &ui;
    {
        Watchdog watchdog("run on current thread");
        ui.RunOnCurrentThreadWithLoop(MessageLoop::kUILoop);
    }
    EXPECT_EQ(events, (std::vector<std::string>{"init", "task", "cleanup"}));
    EXPECT_EQ(kbase::FrameworkThreadRecord::Current(), nullptr);
    EXPECT_EQ(MessageLoop::GetCurrentLoopSlot(), nullptr);
    EXPECT_FALSE(Registry()->FindLoopProxy(kId));
}

// A worker that asked itself to stop is still joined by a later Stop from another thread, so
// its loop and its object are never freed under it.
TEST(FrameworkThread, StopFromAnotherThreadWaitsForAThreadThatStoppedItself) {
    Event cleanup_started;
    Event never;
    std::atomic<bool> cleanup_ended{false};
    HookedThread worker({}, [&] {
        cleanup_started.Signal();
        never.Wait(300);  // a cleanup that takes a while
        cleanup_ended = true;
    });
    ASSERT_TRUE(worker.StartWithLoop(MessageLoop::kDefaultLoop));
    ASSERT_TRUE(RunOn(worker.LoopProxy(), [&worker] { worker.Stop(); }));
    ASSERT_TRUE(cleanup_started.Wait());

    Watchdog watchdog("stop after a self-stop");
    worker.Stop();
    EXPECT_TRUE(cleanup_ended);
    EXPECT_EQ(worker.thread_handle(), nullptr);
}

}  // namespace
