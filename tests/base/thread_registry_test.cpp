#include "base/thread_registry.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "base/message_loop.h"
#include "base/weak_callback.h"
#include "tests/base/thread_test_support.h"

namespace {

using kbase::MessageLoop;
using kbase::ThreadRegistry;
using kbase_test::Event;
using kbase_test::HookedThread;
using kbase_test::RegisteredThread;
using kbase_test::RunOn;

ThreadRegistry* Registry() { return ThreadRegistry::GetInstance(); }

TEST(ThreadRegistry, RegisteringTwiceNeedsTwoRemovals) {
    std::vector<bool> adds;
    HookedThread worker([&adds] {
        adds.push_back(Registry()->AddCurrentThread(7));
        adds.push_back(Registry()->AddCurrentThread(7));
    });
    ASSERT_TRUE(worker.StartWithLoop(MessageLoop::kDefaultLoop));
    EXPECT_EQ(adds, (std::vector<bool>{true, true}));
    const auto proxy = Registry()->FindLoopProxy(7);
    ASSERT_TRUE(proxy);

    struct Step { bool removed; int identifier_after; bool still_found; };
    const Step want[] = {{true, 7, true}, {true, -1, false}, {false, -1, false}};
    for (const Step& step : want) {
        Step got{};
        ASSERT_TRUE(RunOn(proxy, [&got] {
            got.removed = Registry()->RemoveCurrentThread();
            got.identifier_after = Registry()->GetCurrentThreadIdentifier();
        }));
        got.still_found = Registry()->FindLoopProxy(7) != nullptr;
        EXPECT_EQ(got.removed, step.removed);
        EXPECT_EQ(got.identifier_after, step.identifier_after);
        EXPECT_EQ(got.still_found, step.still_found);
    }
    EXPECT_FALSE(Registry()->PostTask(7, [] {}));
}

TEST(ThreadRegistry, RefusesNegativeIdentifiersAndThreadsWithoutRecord) {
    std::vector<bool> adds;
    std::vector<int> identifiers;
    HookedThread worker([&] {
        for (int identifier : {-1, INT_MIN}) {
            adds.push_back(Registry()->AddCurrentThread(identifier));
            identifiers.push_back(Registry()->GetCurrentThreadIdentifier());
        }
    });
    ASSERT_TRUE(worker.StartWithLoop(MessageLoop::kDefaultLoop));
    EXPECT_EQ(adds, (std::vector<bool>{false, false}));
    EXPECT_EQ(identifiers, (std::vector<int>{-1, -1}));

    // The test's own thread is no framework thread.
    EXPECT_FALSE(Registry()->AddCurrentThread(8));
    EXPECT_FALSE(Registry()->RemoveCurrentThread());
    EXPECT_EQ(Registry()->GetCurrentThreadIdentifier(), -1);
    EXPECT_FALSE(Registry()->FindLoopProxy(8));
}

TEST(ThreadRegistry, IdentifierHeldByAnotherThreadIsRefused) {
    RegisteredThread holder(11);
    ASSERT_TRUE(holder.StartWithLoop(MessageLoop::kDefaultLoop));
    bool added = true;
    int identifier = 0;
    HookedThread intruder([&] {
        added = Registry()->AddCurrentThread(11);
        identifier = Registry()->GetCurrentThreadIdentifier();
    });
    ASSERT_TRUE(intruder.StartWithLoop(MessageLoop::kDefaultLoop));
    EXPECT_FALSE(added);
    EXPECT_EQ(identifier, -1);

    DWORD reached = 0;
    ASSERT_TRUE(RunOn(Registry()->FindLoopProxy(11), [&reached] { reached = ::GetCurrentThreadId(); }));
    EXPECT_EQ(reached, holder.thread_id());
}

TEST(ThreadRegistry, PostsToAThreadThatIsGoneFail) {
    EXPECT_FALSE(Registry()->PostTask(12, [] {}));
    EXPECT_FALSE(Registry()->PostDelayedTask(12, [] {}, 1000));

    // A thread that forgets to unregister must not leave its identifier behind either.
    struct Case { const char* name; bool unregisters; } const cases[] = {{"unregisters", true}, {"forgets", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HookedThread worker([] { Registry()->AddCurrentThread(13); },
                            [&c] { if (c.unregisters) Registry()->RemoveCurrentThread(); });
        ASSERT_TRUE(worker.StartWithLoop(MessageLoop::kDefaultLoop));
        const auto kept = Registry()->FindLoopProxy(13);
        ASSERT_TRUE(kept);
        worker.Stop();

        auto probe = std::make_shared<int>();
        std::weak_ptr<int> watch = probe;
        EXPECT_FALSE(Registry()->PostTask(13, [probe] {}));
        EXPECT_FALSE(kept->PostTask([probe] {}));
        probe.reset();
        EXPECT_TRUE(watch.expired()) << "a refused task is dropped";
        EXPECT_FALSE(Registry()->FindLoopProxy(13));
    }
}

// The object a recurring task is bound to.
struct Ticker : kbase::SupportWeakCallback {};

TEST(ThreadRegistry, RecurringTaskRunsItsCountOrUntilItsObjectDies) {
    constexpr int kId = 14;
    struct Case {
        const char* name;
        int times;
        int destroy_at;        // run after which the ticker dies; 0: it lives on
        bool destroy_in_run;   // in the run itself, or in a task posted by it
        int want_runs;
    } const cases[] = {
        {"once", 1, 0, false, 1},
        {"three times", 3, 0, false, 3},
        {"for ever, object dies between runs", -1, 5, false, 5},
        {"for ever, object dies in its run", -1, 2, true, 2},
        {"counted, object dies in its run", 3, 2, true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        struct State {
            std::unique_ptr<Ticker> ticker = std::make_unique<Ticker>();
            int runs = 0;
            Event reached;
            Event probed;
        } state;
        RegisteredThread worker(kId);
        ASSERT_TRUE(worker.StartWithLoop(MessageLoop::kDefaultLoop));

        Registry()->PostRecurringTask(kId, state.ticker->MakeWeakCallback([&state, &c] {
            ++state.runs;
            if (state.runs == c.destroy_at) {
                if (c.destroy_in_run) {
                    state.ticker.reset();
                } else {
                    Registry()->PostTask(kId, [&state] { state.ticker.reset(); });
                }
            }
            if (state.runs == c.want_runs) state.reached.Signal();
        }), 1000, c.times);
        ASSERT_TRUE(state.reached.Wait());

        // A run after the last one would be due 1 ms after it, before this probe.
        ASSERT_TRUE(Registry()->PostDelayedTask(kId, [&state] { state.probed.Signal(); }, 50000));
        ASSERT_TRUE(state.probed.Wait());
        EXPECT_EQ(state.runs, c.want_runs);
        EXPECT_EQ(state.ticker == nullptr, c.destroy_at != 0);
        worker.Stop();
    }
}

}  // namespace
