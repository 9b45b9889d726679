#include "base/message_loop.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/io_message_loop.h"
#include "base/message_loop_proxy.h"
#include "base/time.h"
#include "base/ui_message_loop.h"
#include "tests/base/thread_test_support.h"

namespace {

using kbase::MessageLoop;
using kbase::QueuedTask;
using kbase_test::Watchdog;

QueuedTask DueAt(std::int64_t due_time, std::function<void()> task) {
    QueuedTask queued;
    queued.due_time = due_time;
    queued.task = std::move(task);
    return queued;
}

// The delegate operations are called directly here, as a pump would, one step at a time.

TEST(MessageLoop, RunsImmediateTasksInPostingOrderOnePerCall) {
    MessageLoop loop;
    std::vector<int> ran;
    for (int i = 1; i <= 3; ++i) loop.PostTask([&ran, i] { ran.push_back(i); });
    for (std::size_t i = 1; i <= 3; ++i) {
        EXPECT_TRUE(loop.RunImmediateTasks());
        EXPECT_EQ(ran.size(), i);
    }
    EXPECT_FALSE(loop.RunImmediateTasks());
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
}

TEST(MessageLoop, DelayedTasksRunByDueTimeThenByArrival) {
    MessageLoop loop;
    std::string ran;
    // Due times long past on the loop clock, so every task is due at once.
    loop.EnqueueIncoming(DueAt(2000, [&ran] { ran += 'a'; }));
    loop.EnqueueIncoming(DueAt(2000, [&ran] { ran += 'b'; }));
    loop.EnqueueIncoming(DueAt(1000, [&ran] { ran += 'c'; }));
    loop.EnqueueIncoming(DueAt(2000, [&ran] { ran += 'd'; }));
    EXPECT_FALSE(loop.RunImmediateTasks()) << "delayed tasks only enter the heap";

    // -1: the last pop leaves the caller's value as it was.
    const std::int64_t want_next[] = {2000, 2000, 2000, -1};
    for (std::int64_t want : want_next) {
        std::int64_t next = -1;
        EXPECT_TRUE(loop.RunDueDelayedTask(next));
        EXPECT_EQ(next, want);
    }
    std::int64_t next = -1;
    EXPECT_FALSE(loop.RunDueDelayedTask(next));
    EXPECT_EQ(next, 0);
    EXPECT_EQ(ran, "cabd");
}

TEST(MessageLoop, DelaysBecomeDueTimesWithoutOverflow) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    struct Case { const char* name; kbase::TimeDelta delay; bool runs_at_once; } const cases[] = {
        {"zero", 0, true},
        {"negative", -5'000'000, true},
        {"far future", 86'400'000'000LL, false},
        {"largest", kMax, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MessageLoop loop;
        bool ran = false;
        const std::int64_t before = kbase::NowMicroseconds();
        loop.PostDelayedTask([&ran] { ran = true; }, c.delay);
        EXPECT_FALSE(loop.RunImmediateTasks());
        std::int64_t next = 0;
        EXPECT_EQ(loop.RunDueDelayedTask(next), c.runs_at_once);
        EXPECT_EQ(ran, c.runs_at_once);
        if (!c.runs_at_once) {
            EXPECT_GE(next, before + 86'400'000'000LL) << "the due time must not wrap into the past";
        }
    }
}

TEST(MessageLoop, TaskPostedByARunningTaskRunsAfterIt) {
    MessageLoop loop;
    std::vector<std::string> events;
    loop.PostTask([&events] {
        MessageLoop* const current = MessageLoop::GetCurrentLoopSlot();
        current->PostTask([&events] { events.push_back("posted"); });
        std::int64_t next = 0;
        // A nested pump finds no work while a task runs.
        if (current->RunImmediateTasks() || current->RunDueDelayedTask(next)) events.push_back("ran nested");
        events.push_back("poster done");
    });
    EXPECT_TRUE(loop.RunImmediateTasks());
    EXPECT_TRUE(loop.RunImmediateTasks());
    EXPECT_EQ(events, (std::vector<std::string>{"poster done", "posted"}));
}

TEST(MessageLoop, CurrentLoopAndProxyFollowTheLoopsLife) {
    EXPECT_EQ(MessageLoop::GetCurrentLoopSlot(), nullptr);
    auto loop = std::make_unique<MessageLoop>();
    EXPECT_EQ(MessageLoop::GetCurrentLoopSlot(), loop.get());
    const auto proxy = loop->proxy();
    EXPECT_TRUE(proxy->IsOnLoopThread());
    bool elsewhere = true;
    std::thread([&] { elsewhere = proxy->IsOnLoopThread(); }).join();
    EXPECT_FALSE(elsewhere);

    loop.reset();
    EXPECT_EQ(MessageLoop::GetCurrentLoopSlot(), nullptr);
    EXPECT_FALSE(proxy->IsOnLoopThread());
    auto probe = std::make_shared<int>();
    std::weak_ptr<int> watch = probe;
    EXPECT_FALSE(proxy->PostTask([probe] {}));
    EXPECT_FALSE(proxy->PostDelayedTask([probe] {}, 1000));
    EXPECT_FALSE(proxy->PostOuterLoopTask([probe] {}));
    probe.reset();
    EXPECT_TRUE(watch.expired());
}

// Its destructor posts a task holding the next link, until the chain ends.
struct ChainLink {
    using Post = void (*)(MessageLoop*, kbase::Task);
    ChainLink(int left, int* destroyed, Post post) : left(left), destroyed(destroyed), post(post) {}
    ~ChainLink() {
        ++*destroyed;
        MessageLoop* const loop = MessageLoop::GetCurrentLoopSlot();
        if (left > 0 && loop) {
            auto next = std::make_shared<ChainLink>(left - 1, destroyed, post);
            post(loop, [next] {});
        }
    }
    int left;
    int* destroyed;
    Post post;
};

TEST(MessageLoop, DestructionDisposesOfTasksPostedByDestroyedTasks) {
    struct Case { const char* name; ChainLink::Post post; } const cases[] = {
        {"immediate", [](MessageLoop* loop, kbase::Task task) { loop->PostTask(std::move(task)); }},
        {"delayed", [](MessageLoop* loop, kbase::Task task) { loop->PostDelayedTask(std::move(task), 10'000'000); }},
        {"outer loop", [](MessageLoop* loop, kbase::Task task) { loop->PostOuterLoopTask(std::move(task)); }},
    };
    constexpr int kLinks = 6;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int destroyed = 0;
        {
            MessageLoop loop;
            auto first = std::make_shared<ChainLink>(kLinks - 1, &destroyed, c.post);
            c.post(&loop, [first] {});
            first.reset();
        }
        EXPECT_EQ(destroyed, kLinks);
    }
}

// The same loop behaviour over every pump.
struct LoopKind {
    const char* name;
    std::unique_ptr<MessageLoop> (*make)();
};

class EveryLoop : public testing::TestWithParam<LoopKind> {};

TEST_P(EveryLoop, QuitWhenIdleRunsQueuedTasksAndDropsFutureOnes) {
    auto loop = GetParam().make();
    std::vector<int> ran;
    bool future_ran = false;
    auto probe = std::make_shared<int>();
    std::weak_ptr<int> watch = probe;
    loop->PostTask([&loop] { loop->QuitWhenIdle(); });
    for (int i = 1; i <= 3; ++i) loop->PostTask([&ran, i] { ran.push_back(i); });
    loop->PostDelayedTask([&future_ran, probe] { future_ran = true; }, 10'000'000);
    probe.reset();
    {
        Watchdog watchdog("quit when idle");
        loop->Run();
    }
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(future_ran);
    EXPECT_FALSE(watch.expired()) << "kept until the loop goes";
    loop.reset();
    EXPECT_TRUE(watch.expired());
}

TEST_P(EveryLoop, WakesForDelayedTasksAndPostsFromOtherThreads) {
    auto loop = GetParam().make();
    const auto proxy = loop->proxy();
    std::vector<std::string> events;
    std::thread poster;
    loop->PostDelayedTask([&] {
        events.push_back("delayed");
        poster = std::thread([&] {
            proxy->PostTask([&] {
                events.push_back("from other thread");
                MessageLoop::GetCurrentLoopSlot()->QuitWhenIdle();
            });
        });
    }, 20'000);
    {
        Watchdog watchdog("wake-ups");
        loop->Run();
    }
    poster.join();
    EXPECT_EQ(events, (std::vector<std::string>{"delayed", "from other thread"}));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EveryLoop,
    testing::Values(LoopKind{"Default", [] { return std::make_unique<MessageLoop>(); }},
                    LoopKind{"UI", []() -> std::unique_ptr<MessageLoop> { return std::make_unique<kbase::UIMessageLoop>(); }},
                    LoopKind{"IO", []() -> std::unique_ptr<MessageLoop> { return std::make_unique<kbase::IOMessageLoop>(); }}),
    [](const testing::TestParamInfo<LoopKind>& info) { return std::string(info.param.name); });

}  // namespace
