#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "base/time.h"
#include "base/weak_callback.h"

// The poster carousel's automatic advance. Its tick runs on the worker thread while the main
// window lives and dies on the UI thread, so the tick touches nothing of the window: only the
// hold counter below, shared by both threads, and a post of the advance to the UI thread, where
// the advance runs only while the window lives.

// How many ticks still pass without an advance: a user's navigation holds the carousel for
// three ticks, so the fifth tick after it (8 to 10 s later) advances; -1 advances at each tick.
class PosterHold {
public:
    static constexpr int kTicksAfterUserAction = 3;

    void HoldAfterUserAction() { hold_ = kTicksAfterUserAction; }
    void Release() { hold_ = -1; }
    int Value() const { return hold_.load(); }
    // The worker's tick: counts a held tick down and answers false, or answers true (advance)
    // when nothing holds.
    bool Tick();

private:
    std::atomic<int> hold_{-1};
};

// The poster after current among count posters, wrapping; 0 when current is outside them.
int NextPosterIndex(int current, int count);

inline constexpr kbase::TimeDelta kPosterTickPeriod = 2'000'000;

// Starts the ticks on the worker thread, one per period, until owner is gone: each tick that
// hold lets through posts advance to the UI thread, run there only while owner lives. Call it
// on the UI thread, which owns owner.
void StartPosterTicks(kbase::SupportWeakCallback& owner, std::shared_ptr<PosterHold> hold, std::function<void()> advance,
                      kbase::TimeDelta period = kPosterTickPeriod);
