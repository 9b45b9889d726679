#include "windows/poster_ticker.h"

#include "app/thread_ids.h"
#include "base/thread_registry.h"

bool PosterHold::Tick() {
    int held = hold_.load();
    while (held >= 0) {
        if (hold_.compare_exchange_weak(held, held - 1)) return false;
    }
    return true;
}

int NextPosterIndex(int current, int count) {
    if (count <= 0 || current < 0 || current >= count) return 0;
    return (current + 1) % count;
}

void StartPosterTicks(kbase::SupportWeakCallback& owner, std::shared_ptr<PosterHold> hold, std::function<void()> advance,
                      kbase::TimeDelta period) {
    // Both callbacks carry the owner's liveness token; the worker only tests it (the flag's
    // expiry is safe to read from any thread) and never reaches the owner itself.
    const auto advanceOnUi = owner.MakeWeakCallback(kbase::Task(std::move(advance)));
    const auto tick = owner.MakeWeakCallback(kbase::Task([hold, advanceOnUi] {
        if (hold->Tick()) kbase::ThreadRegistry::GetInstance()->PostTask(kUiThreadId, advanceOnUi);
    }));
    kbase::ThreadRegistry::GetInstance()->PostRecurringTask(kWorkerThreadId, tick, period, -1);
}
