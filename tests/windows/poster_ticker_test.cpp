#include "windows/poster_ticker.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "app/thread_ids.h"
#include "base/message_loop.h"
#include "base/thread_registry.h"
#include "tests/base/thread_test_support.h"

namespace {

TEST(PosterHold, AUserActionLetsFourTicksPassAndTheFifthAdvance) {
    PosterHold hold;
    EXPECT_TRUE(hold.Tick());
    EXPECT_TRUE(hold.Tick());
    hold.HoldAfterUserAction();
    std::vector<bool> ticks;
    for (int i = 0; i < 6; ++i) ticks.push_back(hold.Tick());
    EXPECT_EQ(ticks, (std::vector<bool>{false, false, false, false, true, true}));
    hold.HoldAfterUserAction();
    hold.Release();  // the posters were cleared
    EXPECT_TRUE(hold.Tick());
}

TEST(NextPosterIndex, WrapsAndStartsOverFromNothing) {
    struct Case {
        int current, count, want;
    } const cases[] = {{0, 3, 1}, {2, 3, 0}, {-1, 3, 0}, {5, 3, 0}, {0, 1, 0}, {0, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.current);
        EXPECT_EQ(NextPosterIndex(c.current, c.count), c.want);
    }
}

// The window the ticks belong to, living on the UI thread.
struct Carousel : kbase::SupportWeakCallback {
    std::atomic<int>* advances = nullptr;
    std::atomic<DWORD>* thread = nullptr;
    void Advance() {
        ++*advances;
        *thread = ::GetCurrentThreadId();
    }
};

TEST(StartPosterTicks, AdvancesOnTheUiThreadAndStopsWithItsOwner) {
    kbase_test::Watchdog watchdog("poster ticks", std::chrono::seconds(60));
    kbase_test::RegisteredThread ui(kUiThreadId);
    kbase_test::RegisteredThread worker(kWorkerThreadId);
    ASSERT_TRUE(ui.StartWithLoop(kbase::MessageLoop::kUILoop));
    ASSERT_TRUE(worker.StartWithLoop(kbase::MessageLoop::kDefaultLoop));
    DWORD uiThread = 0;
    ASSERT_TRUE(kbase_test::RunOn(ui.LoopProxy(), [&] { uiThread = ::GetCurrentThreadId(); }));

    std::atomic<int> advances{0};
    std::atomic<DWORD> advanceThread{0};
    auto hold = std::make_shared<PosterHold>();
    std::unique_ptr<Carousel> carousel;
    constexpr kbase::TimeDelta kPeriod = 20'000;
    ASSERT_TRUE(kbase_test::RunOn(ui.LoopProxy(), [&] {
        carousel = std::make_unique<Carousel>();
        carousel->advances = &advances;
        carousel->thread = &advanceThread;
        StartPosterTicks(*carousel, hold, [c = carousel.get()] { c->Advance(); }, kPeriod);
    }));
    const ULONGLONG deadline = ::GetTickCount64() + 20000;
    while (advances < 3 && ::GetTickCount64() < deadline) ::Sleep(5);
    ASSERT_GE(advances.load(), 3);
    EXPECT_EQ(advanceThread.load(), uiThread);

    // Gone: later ticks touch neither the hold nor the window.
    ASSERT_TRUE(kbase_test::RunOn(ui.LoopProxy(), [&] {
        carousel.reset();
        hold->HoldAfterUserAction();
    }));
    kbase_test::Event later;
    ASSERT_TRUE(kbase::ThreadRegistry::GetInstance()->PostDelayedTask(kWorkerThreadId, [&] { later.Signal(); },
                                                                      kPeriod * 5));
    ASSERT_TRUE(later.Wait());
    ASSERT_TRUE(kbase_test::RunOn(ui.LoopProxy(), [] {}));  // an advance posted before the end has run
    EXPECT_EQ(hold->Value(), PosterHold::kTicksAfterUserAction);
    worker.Stop();
    ui.Stop();
}

}  // namespace
